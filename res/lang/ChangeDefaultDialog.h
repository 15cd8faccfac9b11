// The change-default dialog as every translation lays it out: lang/en.rc's controls in its order, in the
// face that Microsoft documents for translated dialogs, the label as wide as the dialog for longer words.
// LAYOUT is 0, or WS_EX_LAYOUTRTL for a right-to-left language; the preview frame never passes that
// mirroring on to the preview, another program's drawing.
#pragma once

#define CHANGE_DEFAULT_DIALOG(LAYOUT, CAPTION_TEXT, CLOSE_TEXT, FRAME_TEXT, PREVIEW_TEXT, CONFIGURE_TEXT) \
    IDD_CHANGE_DEFAULT DIALOG 0, 0, 347, 167 \
    STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU \
    EXSTYLE LAYOUT \
    CAPTION CAPTION_TEXT \
    FONT 8, "MS Shell Dlg" \
    BEGIN \
        LISTBOX IDC_SAVER_LIST, 8, 8, 162, 114, \
                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY \
        PUSHBUTTON CLOSE_TEXT, IDCANCEL, 279, 140, 57, 18, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON \
        LTEXT "Static", IDC_DEFAULT_LABEL, 8, 127, 330, 8, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT \
        LTEXT FRAME_TEXT, IDC_PREVIEW_AREA, 176, 8, 162, 114, \
              WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_SUNKEN, WS_EX_NOINHERITLAYOUT \
        PUSHBUTTON PREVIEW_TEXT, IDC_PREVIEW, 8, 140, 57, 18, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON \
        PUSHBUTTON CONFIGURE_TEXT, IDC_CONFIGURE, 69, 140, 57, 18, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON \
    END
