#include "support/PrivateHome.h"
#include "support/RecordingMessageBox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Tests never read or write the user's real folders, nor each other's.
    const PrivateHome home;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnocet"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RecordingMessageBoxEnvironment);
    return RUN_ALL_TESTS();
}
