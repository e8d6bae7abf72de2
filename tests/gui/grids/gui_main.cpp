// The GUI tests' main: one QApplication on the offscreen platform for every test; a complaint of
// QAbstractItemModelTester fails the test that caused it.
#include <QApplication>
#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QtMessageHandler g_previousHandler = nullptr;

void failOnModelComplaints(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type != QtDebugMsg && context.category != nullptr &&
        std::strcmp(context.category, "qt.modeltest") == 0)
        ADD_FAILURE() << "model tester: " << message.toStdString();
    g_previousHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    g_previousHandler = qInstallMessageHandler(failOnModelComplaints);
    return RUN_ALL_TESTS();
}
