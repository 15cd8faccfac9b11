// The screen-saver manager: the user's default screen saver, the catalogue of installed ones,
// the launchers, and the preview process that it owns.
#pragma once

#include "framework/CMapStringToString.h"
#include "framework/afxwin.h"

class CListBox;
class CWnd;

class CSaverManager {
public:
    CSaverManager();
    CSaverManager(const CSaverManager&) = delete;
    CSaverManager& operator=(const CSaverManager&) = delete;
    // Ends the preview process, if one is held.
    ~CSaverManager();

    // The default setting.
    BOOL IsDefaultSaverSet();
    void GetDefaultSaverPath(CString& path);
    void GetDefaultSaverDescription(CString& description);
    // On failure (the module cannot be loaded) description is left untouched.
    BOOL GetSaverDescription(const char* modulePath, CString& description);

    // The launchers.
    void StartDefaultSaver();
    void OpenSaverSettings();

    // The catalogue.
    void RefreshCatalog();
    void ScanSaverDirectory(CString directory);
    void AddSaver(const char* fileName, const char* directory);
    CMapStringToString& GetSaverMap() { return m_catalog; }
    void FillSaverList(CListBox* list);
    void SelectDefaultInList(CListBox* list);
    CString& FindSaverPath(const char* description, CString& path);
    BOOL SetDefaultSaver(CString description);

    // The preview.
    void StartPreview(CWnd* window);

    PROCESS_INFORMATION m_procInfo;
    CMapStringToString m_catalog;

private:
    // Terminates the held preview process, closes its handles and clears the record.
    void EndPreview();
};
