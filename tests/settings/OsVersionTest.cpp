#include <gtest/gtest.h>

#include "system/OsVersion.h"

namespace {

OSVERSIONINFOEXA Version(DWORD platform, DWORD major, DWORD minor, DWORD build = 0)
{
    OSVERSIONINFOEXA info = {};
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    info.dwBuildNumber = build;
    return info;
}

TEST(OsVersionClass, ClassifiesEveryListedRelease)
{
    const struct {
        OSVERSIONINFOEXA info;
        int osClass;
    } cases[] = {
        // Windows 95: 4.0 to 4.9 by build.
        { Version(1, 4, 0, 949), 0 },
        { Version(1, 4, 0, 950), 1 },
        { Version(1, 4, 0, 951), 2 },
        { Version(1, 4, 0, 1080), 2 },
        { Version(1, 4, 0, 1081), 3 },
        { Version(1, 4, 9, 2000), 3 },
        // Windows 98: 4.10 by build; only the low 16 bits of the build count.
        { Version(1, 4, 10, 1997), 0 },
        { Version(1, 4, 10, 1998), 4 },
        { Version(1, 4, 10, 0x040A0000 | 1998), 4 },
        { Version(1, 4, 10, 1999), 5 },
        { Version(1, 4, 10, 2182), 5 },
        { Version(1, 4, 10, 2183), 6 },
        { Version(1, 4, 10, 0xFFFF), 6 },
        // Windows Me, whatever the build.
        { Version(1, 4, 90, 0), 7 },
        { Version(1, 4, 90, 3000), 7 },
        // Other family-1 versions.
        { Version(1, 4, 50, 2000), 0 },
        { Version(1, 5, 0, 2000), 0 },
        { Version(1, 3, 10, 2000), 0 },
        // The NT family by major.minor, the build ignored.
        { Version(2, 3, 50), 0 },
        { Version(2, 3, 51, 1057), 101 },
        { Version(2, 4, 0), 102 },
        { Version(2, 4, 1), 0 },
        { Version(2, 5, 0), 103 },
        { Version(2, 5, 1, 2600), 104 },
        { Version(2, 5, 2), 105 },
        { Version(2, 5, 3), 0 },
        { Version(2, 6, 0, 6002), 106 },
        { Version(2, 6, 1, 7601), 0 },
        { Version(2, 6, 2), 0 },
        { Version(2, 10, 0, 19045), 0 },
        // CE, whatever the version; Win32s and unknown families.
        { Version(3, 0, 0), 201 },
        { Version(3, 6, 0), 201 },
        { Version(0, 4, 0, 950), 0 },
        { Version(4, 6, 0), 0 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyOsVersion(c.info), c.osClass)
            << "platform " << c.info.dwPlatformId << ", " << c.info.dwMajorVersion << "." << c.info.dwMinorVersion
            << " build " << c.info.dwBuildNumber;
    }
}

TEST(OsVersionClass, AnEmptyRecordIsClassZero)
{
    // What a failed query leaves behind.
    const OSVERSIONINFOEXA info = {};
    EXPECT_EQ(ClassifyOsVersion(info), 0);
}

TEST(OsVersionClass, QueriesThisSystemWithTheExtendedRecordOnNt5AndLater)
{
    OSVERSIONINFOEXA info;
    memset(&info, 0xBD, sizeof info);
    ASSERT_TRUE(QueryOsVersion(info));
    // This Wine reports Windows 7 (NT 6.1) unless told otherwise.
    EXPECT_EQ(info.dwPlatformId, 2u);
    ASSERT_GE(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwOSVersionInfoSize, 156u) << "the second, extended query was not made";
    EXPECT_EQ(info.wReserved, 0) << "the record was not cleared before the query";
    EXPECT_EQ(GetOsVersionClass(), ClassifyOsVersion(info));
    EXPECT_EQ(IsOsClassVista(), GetOsVersionClass() == 106 ? 1 : 0);
}

}  // namespace
