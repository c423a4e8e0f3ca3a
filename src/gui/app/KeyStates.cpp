#include "app/KeyStates.h"

#include <QGuiApplication>

#if defined(DOMIVO_HAVE_X11) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// After the Qt headers: Xlib defines macros (Bool, Status, None) that Qt's headers also use.
#include <X11/XKBlib.h>
#define DOMIVO_READ_X11_LOCKS 1
#endif

namespace KeyStates {

#ifdef DOMIVO_READ_X11_LOCKS
namespace {

std::optional<bool> indicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return std::nullopt;
    int on = 0;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != 0;
}

} // namespace
#endif

Locks read() {
    Locks locks;
#ifdef DOMIVO_READ_X11_LOCKS
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (Display* display = x11 ? x11->display() : nullptr) {
        locks.capsLock = indicator(display, "Caps Lock");
        locks.numLock = indicator(display, "Num Lock");
        locks.scrollLock = indicator(display, "Scroll Lock");
    }
#endif
    return locks;
}

} // namespace KeyStates
