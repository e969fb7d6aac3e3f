// Window classes: registration, queries, removal; and the program's instance handle.
#include "WindowInternal.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace platform {
namespace {

// The one instance object behind GetModuleHandleA(null).
struct InstanceRecord {};

HandleTable<InstanceRecord>& Instances() {
    static HandleTable<InstanceRecord> table(HandleKind::Instance);
    return table;
}

// Class names and atoms: an integer name is the atom of a registered class.
bool SameName(const std::string& a, LPCSTR b) {
    std::size_t n = a.size();
    for (std::size_t i = 0; i < n; ++i)
        if (b[i] == '\0' || std::toupper(static_cast<unsigned char>(a[i])) !=
                                std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return b[n] == '\0';
}

// Registers a filled class record; 0 when it cannot.
ATOM Register(WindowClass record, LPCSTR name) {
    if (!name || IS_INTRESOURCE(name) || name[0] == '\0' || !record.Proc) return 0;
    if (FindClass(name)) return 0;
    WindowState& state = WindowsState();
    if (state.NextAtom == 0xFFFF) return 0;
    record.Name = name;
    record.Atom = state.NextAtom++;
    state.Classes.push_back(std::make_unique<WindowClass>(std::move(record)));
    return state.Classes.back()->Atom;
}

} // namespace

// The class named Name (or with the atom Name carries), or null.
WindowClass* FindClass(LPCSTR name) {
    if (!name) return nullptr;
    for (auto& c : WindowsState().Classes) {
        if (IS_INTRESOURCE(name)) {
            if (c->Atom == static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name)))
                return c.get();
        } else if (SameName(c->Name, name)) {
            return c.get();
        }
    }
    return nullptr;
}

} // namespace platform

using namespace platform;

// Registers a class from the short record, as the extended one without a small icon.
ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) return 0;
    const WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                         wc->cbWndExtra,      wc->hInstance,    wc->hIcon,         wc->hCursor,
                         wc->hbrBackground,   wc->lpszMenuName, wc->lpszClassName, 0};
    return RegisterClassExA(&ex);
}

// Registers a class from the extended record; cbSize must be the 32-bit or our record size.
ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || (wc->cbSize != WNDCLASSEXA_SIZE_32BIT && wc->cbSize != sizeof(WNDCLASSEXA)))
        return 0;
    WindowClass record;
    record.Style = wc->style;
    record.Proc = wc->lpfnWndProc;
    record.Instance = wc->hInstance;
    record.Icon = wc->hIcon;
    record.SmallIcon = wc->hIconSm;
    record.Cursor = wc->hCursor;
    record.Background = wc->hbrBackground;
    return Register(record, wc->lpszClassName);
}

// Fills the extended record of a registered class.
BOOL GetClassInfoExA(HINSTANCE, LPCSTR className, WNDCLASSEXA* out) {
    WindowClass* c = FindClass(className);
    if (!c || !out) return FALSE;
    out->style = c->Style;
    out->lpfnWndProc = c->Proc;
    out->cbClsExtra = 0;
    out->cbWndExtra = 0;
    out->hInstance = c->Instance;
    out->hIcon = c->Icon;
    out->hCursor = c->Cursor;
    out->hbrBackground = c->Background;
    out->lpszMenuName = nullptr;
    out->lpszClassName = c->Name.c_str();
    out->hIconSm = c->SmallIcon;
    return TRUE;
}

// Removes a class no window uses any more.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    WindowClass* c = FindClass(className);
    if (!c || c->WindowCount > 0) return FALSE;
    auto& classes = WindowsState().Classes;
    classes.erase(
        std::find_if(classes.begin(), classes.end(), [c](const auto& p) { return p.get() == c; }));
    return TRUE;
}

// The program's instance (made on first use); 0 for any named module.
HMODULE GetModuleHandleA(LPCSTR moduleName) {
    if (moduleName) return 0;
    static const HANDLE instance = Instances().Add(std::make_unique<InstanceRecord>());
    return instance;
}
