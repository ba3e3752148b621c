// Exceptions that leave an event handler: reported, and the program goes on.
#include "app/reportingapplication.h"
#include "dialogs/frmvalasz.h"
#include "store/engine/engine_error.h"
#include "support/modal_script.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Runs its action on every user event it receives.
class Handler final : public QObject {
public:
    explicit Handler(std::function<void()> action) : m_action(std::move(action)) {}
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++received;
        m_action();
        return true;
    }
    int received = 0;

private:
    std::function<void()> m_action;
};

void deliver(QObject &receiver)
{
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&receiver);
}

struct MessageCase {
    const char *name;
    std::function<void()> raise;
    QString expected;
};

// The case's name in ctest output instead of its bytes.
void PrintTo(const MessageCase &c, std::ostream *os)
{
    *os << c.name;
}

class UnhandledErrorMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(UnhandledErrorMessageTest, NamesTheError)
{
    std::exception_ptr error;
    try {
        GetParam().raise();
    } catch (...) {
        error = std::current_exception();
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(UnhandledErrorMessage(error), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnhandledErrorMessageTest,
    ::testing::Values(
        MessageCase{"EngineMessageAsItIs",
                    [] { throw store::EngineError(u"A tábla zárolva van."_s); },
                    u"A tábla zárolva van."_s},
        MessageCase{"StandardErrorWithLeadIn", [] { throw std::runtime_error("disk full"); },
                    u"Váratlan hiba történt:\ndisk full"_s},
        MessageCase{"FileSystemError",
                    [] {
                        throw std::filesystem::filesystem_error(
                            "cannot copy", std::make_error_code(std::errc::no_space_on_device));
                    },
                    u"Váratlan hiba történt:\n"_s +
                        QString::fromLocal8Bit(
                            std::filesystem::filesystem_error(
                                "cannot copy", std::make_error_code(std::errc::no_space_on_device))
                                .what())},
        MessageCase{"AnythingElse", [] { throw 42; },
                    u"Váratlan hiba történt:\nismeretlen hiba"_s}),
    [](const ::testing::TestParamInfo<MessageCase> &info) { return info.param.name; });

class ReportingApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = qobject_cast<ReportingApplication *>(qApp);
        ASSERT_NE(app, nullptr) << "the GUI tests run under the program's application class";
        app->setFallback([this](const QString &message) { fallback << message; });
    }
    void TearDown() override
    {
        if (app)
            app->setFallback({});
    }

    ReportingApplication *app = nullptr;
    QStringList fallback;
};

TEST_F(ReportingApplicationTest, AnErrorLeavingAHandlerIsShownAndTheLoopGoesOn)
{
    TfrmValasz dialog;
    int calls = 0;
    Handler handler([&] {
        if (++calls == 1)
            throw store::EngineError(u"A tábla zárolva van."_s);
    });
    {
        ModalScript script({u"bbtnOk"_s});
        deliver(handler);
        EXPECT_EQ(script.messages, QStringList{u"A tábla zárolva van."_s});
    }
    deliver(handler); // the same handler works again
    EXPECT_EQ(handler.received, 2);
    EXPECT_TRUE(fallback.isEmpty());
}

TEST_F(ReportingApplicationTest, WithoutTheQuestionDialogTheReportGoesToTheFallback)
{
    ASSERT_EQ(TfrmValasz::instance(), nullptr);
    Handler handler([] { throw std::runtime_error("disk full"); });
    ModalScript script;
    deliver(handler);
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_EQ(fallback, QStringList{u"Váratlan hiba történt:\ndisk full"_s});
}

TEST_F(ReportingApplicationTest, AnErrorWhileTheReportIsShownDoesNotOpenASecondReport)
{
    TfrmValasz dialog;
    Handler second([] { throw std::runtime_error("second"); });
    Handler first([&] {
        // Delivered by the report's own event loop.
        QCoreApplication::postEvent(&second, new QEvent(QEvent::User));
        throw std::runtime_error("first");
    });
    ModalScript script({u"bbtnOk"_s});
    deliver(first);
    EXPECT_EQ(second.received, 1);
    EXPECT_EQ(script.messages, QStringList{u"Váratlan hiba történt:\nfirst"_s});
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(fallback, QStringList{u"Váratlan hiba történt:\nsecond"_s});
}

} // namespace
