// The catalogue of installed screen savers: found in the system and Windows directories, shown in
// a list box by description, and chosen by description as the user's default.
#include "manager/SaverManager.h"

#include <mbstring.h>

#include "framework/CListBox.h"
#include "system/DesktopSettings.h"
#include "system/RegistryKey.h"
#include "system/SystemPath.h"

namespace {

// The size given to GetSystemDirectoryA and GetWindowsDirectoryA.
const UINT kDirectoryBufferSize = kMaxPathBytes;

// A search of FindFirstFileA, closed when it goes out of scope.
class FileSearch {
public:
    FileSearch(const char* pattern, WIN32_FIND_DATAA& found) : m_handle(FindFirstFileA(pattern, &found)) {}
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    ~FileSearch()
    {
        if (Found())
            FindClose(m_handle);
    }

    BOOL Found() const { return m_handle != INVALID_HANDLE_VALUE; }
    BOOL Next(WIN32_FIND_DATAA& found) { return FindNextFileA(m_handle, &found); }

private:
    HANDLE m_handle;
};

// "<directory>\<name>". A drive root already ends in a backslash; the doubled one is collapsed.
CString JoinPath(const char* directory, const char* name)
{
    CString path;
    path.Format("%s\\%s", directory, name);
    path.Replace("\\\\", "\\");
    return path;
}

BOOL SameText(const char* left, const char* right)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(left), reinterpret_cast<const unsigned char*>(right)) == 0;
}

}  // namespace

void CSaverManager::RefreshCatalog()
{
    m_catalog.RemoveAll();
    char directory[kDirectoryBufferSize] = {};
    GetSystemDirectoryA(directory, kDirectoryBufferSize);
    ScanSaverDirectory(directory);
    GetWindowsDirectoryA(directory, kDirectoryBufferSize);
    ScanSaverDirectory(directory);
}

void CSaverManager::ScanSaverDirectory(CString directory)
{
    WIN32_FIND_DATAA found = {};
    FileSearch search(ResolveSystemPath(JoinPath(directory, "*.scr")), found);
    if (!search.Found())
        return;
    do {
        if (SameText(found.cFileName, ".") || SameText(found.cFileName, ".."))
            continue;
        // INVALID_FILE_ATTRIBUTES has the directory bit set: an unreadable match is passed over too.
        if (!(GetFileAttributesA(ResolveSystemPath(JoinPath(directory, found.cFileName))) & FILE_ATTRIBUTE_DIRECTORY))
            AddSaver(found.cFileName, directory);
    } while (search.Next(found));
}

void CSaverManager::AddSaver(const char* fileName, const char* directory)
{
    const CString path = JoinPath(directory, fileName);
    CString description;
    if (GetSaverDescription(path, description))
        m_catalog[path] = description;
}

void CSaverManager::FillSaverList(CListBox* list)
{
    RefreshCatalog();
    SendMessageA(list->m_hWnd, LB_RESETCONTENT, 0, 0);
    CMapStringToString& catalog = GetSaverMap();
    CString path;
    CString description;
    for (POSITION pos = catalog.GetStartPosition(); pos;) {
        catalog.GetNextAssoc(pos, path, description);
        SendMessageA(list->m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(description)));
    }
}

void CSaverManager::SelectDefaultInList(CListBox* list)
{
    CString description;
    GetDefaultSaverDescription(description);
    // Without a description there is no default to show: an empty line must not light up for it.
    if (description.IsEmpty())
        return;
    // Whole lines with case, from the first: a default "Lines" must not select "Lines Deluxe".
    const LRESULT count = SendMessageA(list->m_hWnd, LB_GETCOUNT, 0, 0);
    CString line;
    for (LRESULT index = 0; index < count; ++index) {
        list->GetText(static_cast<int>(index), line);
        if (SameText(line, description)) {
            SendMessageA(list->m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            return;
        }
    }
}

CString& CSaverManager::FindSaverPath(const char* description, CString& path)
{
    path.Empty();
    CMapStringToString& catalog = GetSaverMap();
    CString key;
    CString value;
    for (POSITION pos = catalog.GetStartPosition(); pos;) {
        catalog.GetNextAssoc(pos, key, value);
        if (SameText(value, description)) {
            path.Format("%s", static_cast<const char*>(key));
            break;
        }
    }
    return path;
}

BOOL CSaverManager::SetDefaultSaver(CString description)
{
    CString path;
    if (FindSaverPath(description, path).IsEmpty())
        return FALSE;
    CRegistryKey key;
    if (!key.Open(kDesktopRoot, kDesktopKey))
        return FALSE;
    return key.SetString(kDefaultSaverValue, path);
}
