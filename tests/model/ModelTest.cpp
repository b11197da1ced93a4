// Seeded user actions and board events on the real window over the simulated board, each followed by a comparison
// with the reference model; a failure is shrunk to a short sequence that still shows it.
#include "Action.h"
#include "EvalDialogFixture.h"
#include "ReferenceModel.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>

using ptx::sim::Fault;

namespace {

template <class Map> void compare(std::ostream& out, const char* what, const Map& expected, const Map& shown)
{
    for (const auto& [key, value] : expected) {
        if (shown.at(key) != value)
            out << what << " " << key << ": expected \"" << value << "\", shown \"" << shown.at(key) << "\"\n";
    }
}

// What differs, one line each; empty when nothing does.
std::string difference(const View& expected, const View& shown)
{
    std::ostringstream out;
    if (expected.accesses != shown.accesses) {
        for (const auto& [title, accesses] :
            { std::pair { "bus: expected", &expected.accesses }, { "bus: was", &shown.accesses } }) {
            out << title;
            for (const auto& access : *accesses)
                out << "\n  " << access;
            out << "\n";
        }
    }
    compare(out, "register", expected.chip, shown.chip);
    compare(out, "text", expected.texts, shown.texts);
    compare(out, "state", expected.states, shown.states);
    return out.str();
}

// Drops chunks of actions while the failure stays, the chunks halving down to single actions; at most 500 tries.
std::vector<Action> shrink(std::vector<Action> actions, const std::function<bool(const std::vector<Action>&)>& fails)
{
    int tries = 500;
    for (std::size_t chunk = std::max<std::size_t>(actions.size() / 2, 1); chunk > 0 && tries > 0; chunk /= 2) {
        for (std::size_t start = 0; start < actions.size() && tries-- > 0;) {
            std::vector<Action> rest = actions;
            rest.erase(rest.begin() + static_cast<long>(start),
                rest.begin() + static_cast<long>(std::min(start + chunk, rest.size())));
            if (fails(rest))
                actions = std::move(rest);
            else
                start += chunk;
        }
    }
    return actions;
}

class ModelTest : public EvalDialogFixture {
protected:
    // Runs `actions` on a fresh dialog over a reset board, comparing after start-up and after each action: how many
    // ran before the window and the model parted (or all of them), and how they differ (empty when they never did).
    std::pair<std::size_t, std::string> run(const Scenario& scenario, const std::vector<Action>& actions)
    {
        SetUp();
        ptx::sim::setFirmwareRecord(scenario.firmware);
        for (const auto& [reg, value] : scenario.registers)
            ptx::sim::setRegister(reg, value);
        if (scenario.fault)
            ptx::sim::setFault(*scenario.fault);
        open();
        ReferenceModel model(
            scenario, [this](int list, int item) { return control<QComboBox>(list)->itemText(item).toStdString(); });
        for (std::size_t done = 0;; ++done) {
            if (std::string different = difference(model.view, observe(model.view));
                !different.empty() || done == actions.size())
                return { done, different };
            ptx::sim::clearTransactions();
            perform(actions[done]);
            model.apply(actions[done]);
        }
    }

    // Runs a session drawn from `seed`; on a failure, reports the seed and a short sequence that reproduces it.
    void expectSession(unsigned seed, int count, std::optional<Fault> fault = {})
    {
        ActionGenerator generator { std::mt19937(seed) };
        const Scenario scenario = generator.scenario(fault);
        std::vector<Action> actions;
        for (int i = 0; i < count; ++i)
            actions.push_back(generator.next());
        const auto [done, different] = run(scenario, actions);
        if (different.empty())
            return;
        actions.resize(done);
        actions = shrink(actions, [&](const auto& some) { return !run(scenario, some).second.empty(); });
        std::string steps;
        for (const Action& action : actions)
            steps += "\n  " + describe(action);
        ADD_FAILURE() << "seed " << seed << ": after action " << done << " of " << count << "\n"
                      << different << "shortest sequence found (" << actions.size() << " actions):" << steps
                      << "\nwhich ends with:\n"
                      << run(scenario, actions).second;
    }

    // Runs what the event loop has pending, the slider's drawings included.
    static void flush() { QCoreApplication::sendPostedEvents(), QCoreApplication::processEvents(); }

    void perform(const Action& a)
    {
        QWidget* widget = dialog->controlWidget(a.id);
        auto* list = qobject_cast<QComboBox*>(widget);
        const std::function<void()> drivers[] {
            [&] { a.other ? QTest::keyClick(widget, Qt::Key_Space) : QTest::mouseClick(widget, Qt::LeftButton); },
            [&] { list->setCurrentIndex(a.value), emit list->activated(a.value); }, // as the list reports a choice
            [&] { typeOver(list ? list->lineEdit() : control<QLineEdit>(a.id), a.text.c_str()); },
            [&] { QTest::keyClick(widget, static_cast<Qt::Key>(a.value)); },
            [&] { control<QSlider>(a.id)->setValue(a.value); },
            [&] { widget->update(); }, // the slider redrawn, as when it is uncovered
            [&] { ptx::sim::setStatusBits(a.value); },
            [&] { a.other ? ptx::sim::failNextWrites(a.value) : ptx::sim::failNextReads(a.value); },
            [&] { a.other ? ptx::sim::unplug() : ptx::sim::replug(); },
        };
        // Keys, Space and choices go to the control with the focus, as the user gives it.
        if (a.kind == Action::Choose || a.kind == Action::SliderKey || (a.kind == Action::Press && a.other))
            widget->setFocus();
        drivers[a.kind]();
        flush();
    }

    // Refilled in place after each action, so that its maps are allocated once.
    const View& observe(const View& expected)
    {
        shown.accesses = ptx::sim::registerAccesses();
        for (int reg = 0; reg < 256; ++reg)
            shown.chip[reg] = ptx::sim::registerValue(reg);
        for (const auto& entry : expected.texts)
            shown.texts[entry.first] = text(entry.first);
        for (const auto& entry : expected.states) {
            QWidget* widget = dialog->controlWidget(entry.first);
            const auto* box = qobject_cast<QCheckBox*>(widget);
            const auto* list = qobject_cast<QComboBox*>(widget);
            shown.states[entry.first] = box ? box->isChecked()
                : list                      ? list->currentIndex()
                                            : qobject_cast<QSlider*>(widget)->value();
        }
        return shown;
    }

    View shown;
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
    const char *seedText = std::getenv("KV3124_SOAK_SEED"), *countText = std::getenv("KV3124_SOAK_ACTIONS");
    const unsigned seed = seedText ? std::stoul(seedText) : 1, count = countText ? std::stoul(countText) : 100000;
    const auto start = std::chrono::steady_clock::now();
    expectSession(seed, static_cast<int>(count));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("soak: seed %u, %u actions, %.1f s\n", seed, count, took.count());
}

} // namespace
