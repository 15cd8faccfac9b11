#include "system/OsVersion.h"

#include <string.h>

namespace {

// The platform families of the version record.
const DWORD kPlatformWindows = 1;  // Windows 95, 98, Me
const DWORD kPlatformNt = 2;
const DWORD kPlatformCe = 3;
const int kOsClassCe = 201;

const DWORD kShortRecordSize = sizeof(OSVERSIONINFOA);
const DWORD kExtendedRecordSize = sizeof(OSVERSIONINFOEXA);
static_assert(kShortRecordSize == 148 && kExtendedRecordSize == 156, "version record sizes");

BOOL GetVersionRecord(OSVERSIONINFOEXA& info, DWORD size)
{
    memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = size;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // deprecated, yet the only call that reports these versions
#endif
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
}

// Windows 95, 98 and Me, which keep the build number in the low 16 bits.
int ClassifyWindows9x(const OSVERSIONINFOEXA& info)
{
    if (info.dwMajorVersion != 4)
        return 0;
    const DWORD build = LOWORD(info.dwBuildNumber);
    if (info.dwMinorVersion < 10) {
        if (build < 950)
            return 0;
        if (build == 950)
            return 1;
        return build <= 1080 ? 2 : 3;
    }
    if (info.dwMinorVersion == 10) {
        if (build < 1998)
            return 0;
        if (build == 1998)
            return 4;
        return build <= 2182 ? 5 : 6;
    }
    return info.dwMinorVersion == 90 ? 7 : 0;
}

int ClassifyWindowsNt(const OSVERSIONINFOEXA& info)
{
    struct NtRelease {
        DWORD major;
        DWORD minor;
        int osClass;
    };
    static const NtRelease releases[] = {
        { 3, 51, 101 }, { 4, 0, 102 }, { 5, 0, 103 }, { 5, 1, 104 }, { 5, 2, 105 }, { 6, 0, kOsClassVista },
    };
    for (const NtRelease& release : releases) {
        if (info.dwMajorVersion == release.major && info.dwMinorVersion == release.minor)
            return release.osClass;
    }
    return 0;
}

}  // namespace

BOOL QueryOsVersion(OSVERSIONINFOEXA& info)
{
    const BOOL result = GetVersionRecord(info, kShortRecordSize);
    if (!result || info.dwPlatformId != kPlatformNt || info.dwMajorVersion < 5)
        return result;
    return GetVersionRecord(info, kExtendedRecordSize);
}

int ClassifyOsVersion(const OSVERSIONINFOEXA& info)
{
    switch (info.dwPlatformId) {
    case kPlatformWindows:
        return ClassifyWindows9x(info);
    case kPlatformNt:
        return ClassifyWindowsNt(info);
    case kPlatformCe:
        return kOsClassCe;
    default:
        return 0;
    }
}

int GetOsVersionClass()
{
    OSVERSIONINFOEXA info;
    QueryOsVersion(info);
    return ClassifyOsVersion(info);
}

int IsOsClassVista()
{
    return GetOsVersionClass() == kOsClassVista ? 1 : 0;
}
