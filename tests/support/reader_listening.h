#pragma once

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

// The headless platform has no bridge to assistive technology, so nothing would say
// that a reader listens and Qt would drop every accessibility event before the
// update handler a test installs as its reader. This says it in the bridge's place.
inline void setReaderListening(bool listening) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(listening);
}
