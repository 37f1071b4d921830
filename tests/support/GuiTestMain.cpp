#include "support/PrivateHome.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>

#include <gtest/gtest.h>

#ifdef __SANITIZE_ADDRESS__
// The web engine itself frees one of its objects with the wrong size and
// keeps some allocations to the end: findings in Chromium, not in this
// program, which would otherwise end every test that makes a web view.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\nleak:libfontconfig.so\nleak:libudev.so\n";
}
#endif

int main(int argc, char** argv) {
    // Tests never read or write the user's real folders, nor each other's.
    const PrivateHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No window or program a test starts listens for web pages on the port
    // of the user's running program; a test that needs it names a port.
    qputenv("VARNOCET_LISTENER_PORT", "0");
    // Tests run as root on the build machines, where Chromium's sandbox
    // refuses to start. The program itself never turns it off.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // No page a test opens may reach past this machine: a name other than
    // localhost fails at once instead of waiting on the network.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE localhost");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnocet"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RecordingMessageBoxEnvironment);
    return RUN_ALL_TESTS();
}
