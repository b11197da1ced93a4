// Seeded user actions and board events on the real window over the simulated board, each followed by a comparison
// with the reference model; a failure is shrunk to a short sequence that still shows it.
#include "Action.h"
#include "EvalDialogFixture.h"
#include "ReferenceModel.h"
#include "Shrink.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

using ptx::sim::Fault;

namespace {

QtMessageHandler qtMessages = nullptr;

// The offscreen platform warns at each popup that it cannot grab the keyboard or raise a window.
void dropPopupWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (qtMessages && !message.startsWith(QLatin1String("This plugin does not support")))
        qtMessages(type, context, message);
}

class ModelTest : public EvalDialogFixture {
protected:
    static void SetUpTestSuite() { qtMessages = qInstallMessageHandler(dropPopupWarnings); }

    struct Outcome {
        std::size_t done; // actions run before the window and the model parted, or all of them
        std::string difference; // empty when they never did
    };

    // Runs `actions` on a fresh dialog over a reset board, comparing after start-up and after each action.
    Outcome run(const Scenario& scenario, const std::vector<Action>& actions)
    {
        SetUp();
        ptx::sim::setFirmwareRecord(scenario.firmware);
        for (const auto& [reg, value] : scenario.registers)
            ptx::sim::setRegister(reg, value);
        if (scenario.fault)
            ptx::sim::setFault(*scenario.fault);
        create();
        if (!QTest::qWaitForWindowExposed(dialog->window()))
            return { 0, "the window was never shown" };
        flush();
        ReferenceModel model(
            scenario, [this](int list, int item) { return control<QComboBox>(list)->itemText(item).toStdString(); });
        for (std::size_t done = 0;; ++done) {
            if (std::string different = difference(model.view, observe(model.view)); !different.empty())
                return { done, different };
            if (done == actions.size())
                return { done, {} };
            ptx::sim::clearTransactions();
            perform(actions[done]);
            model.apply(actions[done]);
        }
    }

    // Runs a session drawn from `seed`; on a failure, reports the seed and a short sequence that reproduces it.
    void expectSession(unsigned seed, int count, std::optional<Fault> fault = {})
    {
        ActionGenerator generator(seed);
        const Scenario scenario = generator.scenario(fault);
        std::vector<Action> actions;
        for (int i = 0; i < count; ++i)
            actions.push_back(generator.next());
        const Outcome outcome = run(scenario, actions);
        if (outcome.difference.empty())
            return;
        actions.resize(outcome.done);
        actions
            = shrink(actions, [&](const std::vector<Action>& some) { return !run(scenario, some).difference.empty(); });
        std::string steps;
        for (const Action& action : actions)
            steps += "\n  " + describe(action);
        ADD_FAILURE() << "seed " << seed << ": after action " << outcome.done << " of " << count << "\n"
                      << outcome.difference << "shortest sequence found (" << actions.size() << " actions):" << steps
                      << "\nwhich ends with:\n"
                      << run(scenario, actions).difference;
    }

    // Runs what the event loop has pending, the slider's drawings included.
    static void flush()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void perform(const Action& a)
    {
        const std::function<void()> drivers[] {
            [&] { a.other ? pressSpace(a.id) : click(a.id); },
            [&] { a.other ? chooseFromPopup(a.id, a.value) : report(a.id, a.value); },
            [&] {
                auto* list = qobject_cast<QComboBox*>(dialog->controlWidget(a.id));
                typeOver(list ? list->lineEdit() : control<QLineEdit>(a.id), a.text.c_str());
            },
            [&] {
                dialog->controlWidget(a.id)->setFocus();
                QTest::keyClick(dialog->controlWidget(a.id), static_cast<Qt::Key>(a.value));
            },
            [&] { control<QSlider>(a.id)->setValue(a.value); },
            [&] { dialog->window()->update(); },
            [&] { ptx::sim::setStatusBits(a.value); },
            [&] { a.other ? ptx::sim::failNextWrites(a.value) : ptx::sim::failNextReads(a.value); },
            [&] { a.other ? ptx::sim::unplug() : ptx::sim::replug(); },
        };
        drivers[a.kind]();
        flush();
    }

    void chooseFromPopup(int list, int item)
    {
        choose(list, item);
        // The offscreen platform leaves the window inactive after a popup, so focus changes would go unsent.
        dialog->window()->activateWindow();
    }

    // A choice as the list reports it, without its popup.
    void report(int id, int item)
    {
        auto* list = control<QComboBox>(id);
        list->setFocus();
        list->setCurrentIndex(item);
        emit list->activated(item);
    }

    View observe(const View& expected) const
    {
        View shown;
        shown.accesses = accesses();
        for (int reg = 0; reg < 256; ++reg)
            shown.chip[static_cast<std::size_t>(reg)] = ptx::sim::registerValue(reg);
        for (const auto& entry : expected.texts)
            shown.texts[entry.first] = text(entry.first);
        for (const auto& entry : expected.boxes)
            shown.boxes[entry.first] = ticked(entry.first);
        for (const auto& entry : expected.selections)
            shown.selections[entry.first] = selection(entry.first);
        shown.slider = sliderPosition();
        return shown;
    }
};

TEST_F(ModelTest, SeededSessionsMatchTheModel)
{
    // Start-up faults: the adapter's configuration fails (its register calls still work), or no adapter at all.
    const std::vector<std::tuple<unsigned, int, std::optional<Fault>>> sessions { { 1, 7000, {} }, { 2, 6000, {} },
        { 3, 4000, Fault::GpioControl }, { 4, 2000, Fault::FirmwareRead }, { 5, 1000, Fault::AdapterAbsent } };
    for (const auto& [seed, count, fault] : sessions)
        expectSession(seed, count, fault);
}

// A long session: KV3124_SOAK_SEED=7 KV3124_SOAK_ACTIONS=1000000 ctest -L soak.
TEST_F(ModelTest, DISABLED_Soak)
{
    const auto setting = [](const char* name, unsigned fallback) {
        const char* value = std::getenv(name);
        return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
    };
    const unsigned seed = setting("KV3124_SOAK_SEED", 1);
    const unsigned count = setting("KV3124_SOAK_ACTIONS", 100000);
    const auto start = std::chrono::steady_clock::now();
    expectSession(seed, static_cast<int>(count));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("soak: seed %u, %u actions, %.1f s\n", seed, count, took.count());
}

} // namespace
