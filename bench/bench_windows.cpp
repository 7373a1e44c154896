// How long the windows take to open and the questionnaire's logic takes to
// run, with Google Benchmark. Each result carries its goal as the counter
// goal_ms; scripts/bench.sh prints the two side by side.
//
// A window benchmark builds the window, shows it, waits until its first
// paint has been handled and closes it again: what the user waits for
// between pressing a button and seeing the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <string>

#include "about/frmAbout.h"
#include "app/frmStartMenu.h"
#include "metrics/ExplanationDialogs.h"
#include "questionnaire/ConstitutionJudge.h"
#include "questionnaire/QuestionCatalogue.h"
#include "questionnaire/QuestionnaireLogic.h"
#include "questionnaire/frmQuestion.h"
#include "state/modCommon.h"
#include "state/MessageService.h"
#include "ui/ApplicationLook.h"
#include "ui/ProcessSettings.h"

namespace tomira {
namespace {

constexpr double kWindowGoalMs = 15;
constexpr double kLogicGoalMs = 1;

// Messages are not expected while windows only open and close; one that
// comes anyway is counted, never shown (a modal box would stop the run).
class CountingMessages : public MessageService {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override { ++count; }
    int count = 0;
};

// Ends an event loop at the first paint of a window; the paint itself is
// handled before the loop returns.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget& window, QEventLoop& loop) : loop_(loop) { window.installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            loop_.quit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& loop_;
};

// Shows the window and handles events until its first paint is done. The
// loop sleeps while it waits, so the X server has the processor meanwhile.
bool ShowUntilPainted(QWidget& window)
{
    QEventLoop loop;
    PaintWatch watch(window, loop);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(5000);
    window.show();
    if (!watch.painted) {
        loop.exec();
    }
    // Let the rest of that round of events (the flush to the screen) run.
    QCoreApplication::processEvents();
    return watch.painted;
}

// The common state as the explanation dialogs find it after a calculation.
modCommon MeasuredState()
{
    modCommon state;
    state.gBMI = 22.5;
    state.gBodyType = "普通型";
    state.gIdealWeight = 63.6;
    state.gFatMass = 12.8;
    return state;
}

// The main window that owns the dialogs, as in the program; main() makes
// it before the benchmarks run and deletes it before the application.
QWidget* gOwner = nullptr;
QWidget& Owner() { return *gOwner; }

template <typename MakeWindow>
void OpenAndClose(benchmark::State& run, MakeWindow makeWindow)
{
    for (auto _ : run) {
        std::unique_ptr<QWidget> window = makeWindow();
        if (!ShowUntilPainted(*window)) {
            run.SkipWithError("the window was never painted");
            break;
        }
        window->close();
        window.reset();
    }
    run.counters["goal_ms"] = kWindowGoalMs;
}

void BM_OpenQuestionnaire(benchmark::State& run)
{
    modCommon state;
    CountingMessages messages;
    OpenAndClose(run, [&] {
        state.gQuestionActive = kTrue;
        return std::make_unique<frmQuestion>(state, messages, &Owner());
    });
    if (messages.count != 0) {
        run.SkipWithError("the questionnaire showed a message");
    }
}
BENCHMARK(BM_OpenQuestionnaire)->Name("open frmQuestion")->Unit(benchmark::kMillisecond);

void BM_OpenBmiExplanation(benchmark::State& run)
{
    const modCommon state = MeasuredState();
    OpenAndClose(run, [&] { return std::make_unique<frmBMI解説>(state, &Owner()); });
}
BENCHMARK(BM_OpenBmiExplanation)->Name("open frmBMI解説")->Unit(benchmark::kMillisecond);

void BM_OpenIdealWeightExplanation(benchmark::State& run)
{
    const modCommon state = MeasuredState();
    OpenAndClose(run, [&] { return std::make_unique<frm理想体重解説>(state, &Owner()); });
}
BENCHMARK(BM_OpenIdealWeightExplanation)->Name("open frm理想体重解説")->Unit(benchmark::kMillisecond);

void BM_OpenFatMassExplanation(benchmark::State& run)
{
    const modCommon state = MeasuredState();
    OpenAndClose(run, [&] { return std::make_unique<frm体脂肪量解説>(state, &Owner()); });
}
BENCHMARK(BM_OpenFatMassExplanation)->Name("open frm体脂肪量解説")->Unit(benchmark::kMillisecond);

void BM_OpenAbout(benchmark::State& run)
{
    CountingMessages messages;
    OpenAndClose(run, [&] { return std::make_unique<frmAbout>(messages, &Owner()); });
    if (messages.count != 0) {
        run.SkipWithError("the About box showed a message");
    }
}
BENCHMARK(BM_OpenAbout)->Name("open frmAbout")->Unit(benchmark::kMillisecond);

// One complete page of answers, as the answer boxes hand it over.
PageAnswers CompletePage()
{
    PageAnswers answers;
    for (int k = 0; k < kRowsPerPage; ++k) {
        answers[k] = std::string(AnswerScale()[k % kScaleEntryCount]);
    }
    return answers;
}

void BM_AcceptPage(benchmark::State& run)
{
    modCommon state;
    QuestionnaireLogic logic(state);
    logic.InitQuestionnaire();
    const PageAnswers answers = CompletePage();
    for (auto _ : run) {
        // After the third page the questionnaire starts over, as it does
        // after the result; that reset is a small part of the time.
        if (logic.PageOffset() == kDonePage) {
            logic.InitQuestionnaire();
        }
        PageOutcome outcome = logic.AcceptPage(answers);
        benchmark::DoNotOptimize(outcome);
        if (outcome.result != PageResult::Accepted) {
            run.SkipWithError("a complete page was not accepted");
            break;
        }
    }
    run.counters["goal_ms"] = kLogicGoalMs;
}
BENCHMARK(BM_AcceptPage)->Name("QuestionnaireLogic::AcceptPage")->Unit(benchmark::kMicrosecond);

void BM_Judge(benchmark::State& run)
{
    modCommon state;
    // A two-dosha, the three-dosha and another two-dosha type in turn.
    const std::int16_t scores[][3] = {{80, 75, 40}, {60, 60, 60}, {20, 90, 85}};
    int i = 0;
    for (auto _ : run) {
        const auto& s = scores[i++ % 3];
        state.gVata = s[0];
        state.gPitta = s[1];
        state.gKapha = s[2];
        Judgement judgement = JudgeConstitution(state);
        benchmark::DoNotOptimize(judgement);
    }
    run.counters["goal_ms"] = kLogicGoalMs;
}
BENCHMARK(BM_Judge)->Name("ConstitutionJudge::JudgeConstitution")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tomira

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    tomira::PrepareApplication();
    QApplication app(argc, argv);
    tomira::InstallApplicationLook(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    tomira::modCommon state;
    tomira::CountingMessages messages;
    {
        tomira::frmStartMenu owner(state, messages);
        tomira::gOwner = &owner;
        if (!tomira::ShowUntilPainted(owner)) {
            return 1;
        }
        benchmark::RunSpecifiedBenchmarks();
        tomira::gOwner = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
