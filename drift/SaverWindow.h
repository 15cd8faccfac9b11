// The window of a running screen saver: full screen over every monitor until the user stirs, or
// a preview inside another program's window for as long as that window lives. It composes the scene
// in a bitmap on a timer and shows only what changed, so it never flickers.
#pragma once

#include <windows.h>

#include "drift/DriftFrame.h"
#include "drift/DriftScene.h"

class CSaverWindow {
public:
    explicit CSaverWindow(HINSTANCE instance);
    CSaverWindow(const CSaverWindow&) = delete;
    CSaverWindow& operator=(const CSaverWindow&) = delete;
    ~CSaverWindow();

    // A topmost window over the whole virtual screen, without a cursor.
    BOOL CreateFullScreen();
    // A child window filling host's client area and following its size. It ends with the host:
    // destroying a window destroys its children, this one too.
    BOOL CreatePreview(HWND host);
    // Runs until the window is gone; returns the exit code.
    int Run();

private:
    BOOL Create(DWORD exStyle, DWORD style, const RECT& area, HWND parent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer();
    void OnPaint();
    void OnMouseMove(LPARAM lParam);
    void OnDestroy();
    void FollowHost();
    bool IsFullScreen() const { return m_host == nullptr; }

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    HWND m_host = nullptr;
    bool m_cursorHidden = false;
    bool m_mouseSeen = false;
    POINT m_firstMouse = {};
    DWORD m_lastTick = 0;
    CDriftScene m_scene;
    CDriftFrame m_frame;
    CDriftFrame::Areas m_changed;
};
