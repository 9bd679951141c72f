// The controls page as a Windows dialog. An entry that waits for its input holds the mouse
// and the keyboard's focus, and asks the dialog manager for every key, Escape included, so
// Tab, Enter and Escape reach it as keys to bind or to cancel with.
#include "app/dialog/win32/controls_page_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "app/dialog/controls_page.h"
#include "app/dialog/controls_page_layout.h"
#include "app/dialog/win32/dialog_template.h"
#include "platform/windows/win32_input.h"

static_assert(ID_SENSITIVITY + UPDOWN_ID_OFFSET < ID_BINDING_FIRST &&
                  ID_FOV + UPDOWN_ID_OFFSET < ID_BINDING_FIRST,
              "the spinners' arrows and the entries need ids of their own");

namespace {
constexpr UINT START_CAPTURE             = WM_APP; // wParam: the entry, once its button is up
constexpr int SENSITIVITY_TEXT_SIZE      = 16;
constexpr const char* SENSITIVITY_FORMAT = "%.1f";
constexpr int SENSITIVITY_DIGITS         = 3; // "0.1" to "5.0"
constexpr int FOV_DIGITS                 = 3;
constexpr const char* NO_PAGE_BOX        = "Voranis";
constexpr int NO_PAGE_TEXT_SIZE          = 256;

// What the page's procedures work on; the page keeps a pointer to it.
struct PageRun {
    ControlsPage page;
    ControlsPageLayout layout;
    WNDPROC buttonProc; // the entries' own procedure, under entryProc
};

PageRun& runOf(HWND page) {
    return *reinterpret_cast<PageRun*>(GetWindowLongPtrA(page, DWLP_USER));
}

// Every entry anew: a move empties or changes another one.
void showEntries(HWND page, const PageRun& run) {
    for (int e = 0; e < BINDING_ENTRY_COUNT; ++e)
        SetDlgItemTextA(page, ID_BINDING_FIRST + e, entryText(run.page, e));
}

void showSensitivity(HWND page, const PageRun& run) {
    char text[SENSITIVITY_TEXT_SIZE];
    std::snprintf(text, sizeof text, SENSITIVITY_FORMAT, run.page.settings.sensitivity);
    SetDlgItemTextA(page, ID_SENSITIVITY, text);
}

void showLook(HWND page, const PageRun& run) {
    const ControlSettings& s = run.page.settings;
    showSensitivity(page, run);
    CheckDlgButton(page, ID_INVERT_PITCH, s.invertPitch ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(page, ID_FOV + UPDOWN_ID_OFFSET, UDM_SETPOS32, 0, s.fovDegrees);
}

// The look's fields into the page's settings; a sensitivity that does not read stays.
void readLook(HWND page, PageRun& run) {
    char text[SENSITIVITY_TEXT_SIZE];
    GetDlgItemTextA(page, ID_SENSITIVITY, text, sizeof text);
    char* end          = nullptr;
    double sensitivity = std::strtod(text, &end);
    if (end == text) sensitivity = run.page.settings.sensitivity;
    BOOL unreadable   = FALSE; // the arrows' own position then
    const LRESULT fov = SendDlgItemMessageA(page, ID_FOV + UPDOWN_ID_OFFSET, UDM_GETPOS32, 0,
                                            reinterpret_cast<LPARAM>(&unreadable));
    setLook(run.page, sensitivity, IsDlgButtonChecked(page, ID_INVERT_PITCH) == BST_CHECKED,
            static_cast<double>(fov));
}

// The sensitivity's arrows step it a tenth; the arrows keep no number of their own.
INT_PTR stepSensitivity(HWND page, PageRun& run, const NMUPDOWN& change) {
    readLook(page, run);
    const ControlSettings& s = run.page.settings;
    setLook(run.page, s.sensitivity + change.iDelta * SENSITIVITY_STEP, s.invertPitch,
            s.fovDegrees);
    showSensitivity(page, run);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

InputCode buttonInput(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return InputCode::MOUSE_LEFT;
    case WM_RBUTTONDOWN:
        return InputCode::MOUSE_RIGHT;
    case WM_MBUTTONDOWN:
        return InputCode::MOUSE_MIDDLE;
    default:
        return GET_XBUTTON_WPARAM(wParam) == XBUTTON2 ? InputCode::MOUSE_X2 : InputCode::MOUSE_X1;
    }
}

void endCapture(HWND page, const PageRun& run) {
    ReleaseCapture();
    showEntries(page, run);
}

// The waiting entry takes the next key or button; anything else it lets be.
LRESULT CALLBACK entryProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND page = GetParent(entry);
    PageRun& run    = runOf(page);
    // Alt or F10 let go would open the system menu, the last input taken being one of them.
    if (message == WM_SYSKEYUP && (wParam == VK_MENU || wParam == VK_F10)) return 0;
    const bool waiting = GetDlgCtrlID(entry) == ID_BINDING_FIRST + run.page.waiting;
    if (!waiting) return CallWindowProcA(run.buttonProc, entry, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wParam == VK_ESCAPE) {
            cancelCapture(run.page);
        } else if (!captureInput(run.page, keyInputCode(wParam, lParam))) {
            return 0; // keeps waiting
        }
        endCapture(page, run);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (captureInput(run.page, buttonInput(message, wParam))) endCapture(page, run);
        return message == WM_XBUTTONDOWN;
    case WM_KILLFOCUS: // the player went elsewhere: as Escape
        cancelCapture(run.page);
        endCapture(page, run);
        return CallWindowProcA(run.buttonProc, entry, message, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        return 0;
    default:
        return CallWindowProcA(run.buttonProc, entry, message, wParam, lParam);
    }
}

void initPage(HWND page, PageRun& run) {
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
    for (int e = 0; e < BINDING_ENTRY_COUNT; ++e) {
        const LONG_PTR own = SetWindowLongPtrA(GetDlgItem(page, ID_BINDING_FIRST + e), GWLP_WNDPROC,
                                               reinterpret_cast<LONG_PTR>(entryProc));
        run.buttonProc     = reinterpret_cast<WNDPROC>(own);
    }
    // The sensitivity's field takes its decimal point; its arrows step it (stepSensitivity),
    // up for more.
    const HWND sensitivity = GetDlgItem(page, ID_SENSITIVITY);
    SetWindowLongPtrA(sensitivity, GWL_STYLE,
                      GetWindowLongPtrA(sensitivity, GWL_STYLE) & ~ES_NUMBER);
    SendMessageA(sensitivity, EM_LIMITTEXT, SENSITIVITY_DIGITS, 0);
    SendDlgItemMessageA(page, ID_SENSITIVITY + UPDOWN_ID_OFFSET, UDM_SETRANGE32, 0, 1);
    SendDlgItemMessageA(page, ID_FOV, EM_LIMITTEXT, FOV_DIGITS, 0);
    SendDlgItemMessageA(page, ID_FOV + UPDOWN_ID_OFFSET, UDM_SETRANGE32, FOV_LOWEST, FOV_HIGHEST);
    showEntries(page, run);
    showLook(page, run);
}

void command(HWND page, PageRun& run, int id, WORD notification) {
    const int entry = bindingEntry(id);
    if (entry >= 0 && notification == BN_CLICKED && run.page.waiting == NO_ENTRY) {
        // The button holds the mouse until its click is done: the entry takes it after.
        PostMessageA(page, START_CAPTURE, static_cast<WPARAM>(entry), 0);
    } else if (id == ID_DEFAULTS) {
        restoreDefaults(run.page);
        showEntries(page, run);
        showLook(page, run);
    } else if (id == ID_CONTROLS_OK) {
        readLook(page, run);
        EndDialog(page, ID_CONTROLS_OK);
    } else if (id == ID_CONTROLS_CANCEL) {
        EndDialog(page, ID_CONTROLS_CANCEL);
    }
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initPage(page, *reinterpret_cast<PageRun*>(lParam));
        return TRUE;
    case WM_COMMAND:
        command(page, runOf(page), LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const NMUPDOWN& change = *reinterpret_cast<const NMUPDOWN*>(lParam);
        if (change.hdr.code != UDN_DELTAPOS ||
            change.hdr.idFrom != ID_SENSITIVITY + UPDOWN_ID_OFFSET)
            return FALSE;
        return stepSensitivity(page, runOf(page), change);
    }
    case START_CAPTURE: {
        PageRun& run = runOf(page);
        startCapture(run.page, static_cast<int>(wParam));
        showEntries(page, run);
        const HWND entry = GetDlgItem(page, ID_BINDING_FIRST + static_cast<int>(wParam));
        SetFocus(entry);
        SetCapture(entry);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
} // namespace

void runControlsPage(HWND owner, ControlSettings& settings) {
    PageRun run{};
    run.page.settings = settings;
    run.layout        = controlsPageLayout();
    DialogTemplate page;
    const DialogBox box{
        run.layout.control, CONTROLS_PAGE_CONTROL_COUNT, CONTROLS_PAGE_TITLE, 0, 0, CONTROLS_PAGE_W,
        CONTROLS_PAGE_H};
    INT_PTR ended = -1;
    if (buildBoxTemplate(page, box)) {
        ended = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEA>(page.words), owner,
                                        pageProc, reinterpret_cast<LPARAM>(&run));
    }
    if (ended == ID_CONTROLS_OK) settings = run.page.settings;
    if (ended > 0) return;
    char text[NO_PAGE_TEXT_SIZE];
    std::snprintf(text, sizeof text,
                  "The controls page cannot be shown (error %lu); set the controls with --bind, "
                  "--sensitivity, --invert-pitch and --fov instead.",
                  GetLastError());
    MessageBoxA(owner, text, NO_PAGE_BOX, MB_OK | MB_ICONSTOP);
}
