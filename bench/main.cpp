// The benchmark: what our button costs side by side with Wine's comctl32
// toolbar and push button in the same run. Every transition of Normal ->
// Hover -> Pressed -> Hover -> Normal is one repaint of the window; rounds
// interleave the subjects, and the medians of the rounds are printed with
// the ratios ours/peer (below 1.0: ours is cheaper). Then what each
// transition asks of the window system, and what forms of 30, 300 and 1000
// buttons cost to create, load and paint; the summary table closes the run.
#include "call_count.h"
#include "control/identity.h"
#include "form.h"
#include "subjects.h"
#include "win/common/handle.h"
#include "win/olehost/library.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tovabel::bench {

namespace {

constexpr int kRounds = 41;
constexpr int kCyclesPerRound = 25;
constexpr const char* kStepNames[kSteps] = {"N->H", "H->P", "P->H", "H->N"};

// Microseconds per transition, by transition, in one round.
using Times = std::array<double, kSteps>;

Times RunRound(Subject& subject) {
    Times total{};
    for (int cycle = 0; cycle < kCyclesPerRound; ++cycle) {
        for (int step = 0; step < kSteps; ++step) {
            const double start = Now();
            subject.Take(static_cast<Step>(step));
            total[static_cast<std::size_t>(step)] += Now() - start;
        }
    }
    for (double& t : total) {
        t /= kCyclesPerRound;
    }
    return total;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Result {
    Times median{};
    double mean = 0; // median over rounds of the round's mean per transition
};

Result Summarise(const std::vector<Times>& rounds) {
    Result result;
    std::vector<double> means;
    for (const Times& round : rounds) {
        double sum = 0;
        for (const double t : round) {
            sum += t;
        }
        means.push_back(sum / kSteps);
    }
    for (std::size_t step = 0; step < kSteps; ++step) {
        std::vector<double> values;
        for (const Times& round : rounds) {
            values.push_back(round[step]);
        }
        result.median[step] = Median(values);
    }
    result.mean = Median(means);
    return result;
}

void PrintTimes(const char* name, const Result& result) {
    std::printf("  %-34s", name);
    for (const double t : result.median) {
        std::printf(" %8.1f", t);
    }
    std::printf(" %8.1f %10.0f\n", result.mean, 1e6 / result.mean);
}

void PrintRatio(const char* name, const Result& ours, const Result& peer) {
    std::printf("  %-34s", name);
    for (std::size_t step = 0; step < kSteps; ++step) {
        std::printf(" %8.2f", ours.median[step] / peer.median[step]);
    }
    std::printf(" %8.2f\n", ours.mean / peer.mean);
}

// Every subject once per round, the order turned by one each round so that
// none always runs first.
std::vector<Result> Measure(const std::vector<Subject*>& subjects) {
    for (Subject* subject : subjects) {
        RunRound(*subject); // warm up: caches, fonts, first paints
    }
    std::vector<std::vector<Times>> rounds(subjects.size());
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            const std::size_t which = (i + static_cast<std::size_t>(round)) % subjects.size();
            rounds[which].push_back(RunRound(*subjects[which]));
        }
    }
    std::vector<Result> results;
    for (const std::vector<Times>& subjectRounds : rounds) {
        results.push_back(Summarise(subjectRounds));
    }
    return results;
}

// Microseconds per pointer move over a raised button, median of the rounds:
// what a pointer crossing the button costs once it has changed its look. Each
// round crosses every button, in an order turned by one each round, so that a
// busy moment of the machine falls on all of them alike.
template <class... Buttons>
std::array<double, sizeof...(Buttons)> MeasureCrossings(Buttons&... buttons) {
    constexpr std::size_t kCount = sizeof...(Buttons);
    const std::array<std::function<double()>, kCount> crossings = {[&buttons] {
        buttons.Take(kToHover);
        const double start = Now();
        for (int n = 0; n < kCyclesPerRound; ++n) {
            buttons.MoveInside(n);
        }
        const double perMove = (Now() - start) / kCyclesPerRound;
        buttons.Take(kToNormal);
        return perMove;
    }...};
    std::array<std::vector<double>, kCount> rounds;
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < kCount; ++i) {
            const std::size_t which = (i + static_cast<std::size_t>(round)) % kCount;
            rounds[which].push_back(crossings[which]());
        }
    }
    std::array<double, kCount> medians{};
    for (std::size_t i = 0; i < kCount; ++i) {
        medians[i] = Median(rounds[i]);
    }
    return medians;
}

// ---------------------------------------------------------------------------
// Calls to the window system per transition

const std::vector<std::string> kWindowSystem = {"user32.dll", "gdi32.dll"};

using CallCounts = std::map<std::string, std::uint64_t>;

std::uint64_t Total(const CallCounts& counts) {
    std::uint64_t total = 0;
    for (const auto& [name, count] : counts) {
        total += count;
    }
    return total;
}

// The calls `module` makes in each transition of one cycle (the cycle is
// the same every time: the second one after warming up is counted), and in
// one move over the raised button.
template <class Button>
std::array<CallCounts, kSteps + 1> CountCalls(Button& button, HMODULE module) {
    std::array<CallCounts, kSteps + 1> counts;
    CallCounter counter(module, kWindowSystem);
    if (!counter.Active()) {
        return counts;
    }
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (int step = 0; step < kSteps; ++step) {
            counter.Reset();
            button.Take(static_cast<Step>(step));
            counts[static_cast<std::size_t>(step)] = counter.Counts();
        }
    }
    button.Take(kToHover);
    button.MoveInside(0);
    counter.Reset();
    button.MoveInside(1);
    counts[kSteps] = counter.Counts();
    button.Take(kToNormal);
    return counts;
}

void PrintCalls(const char* title, const std::array<CallCounts, kSteps + 1>& counts) {
    std::printf("\n%s\n", title);
    for (std::size_t step = 0; step < counts.size(); ++step) {
        std::printf("  %-6s %3llu:", step < kSteps ? kStepNames[step] : "move",
                    static_cast<unsigned long long>(Total(counts[step])));
        for (const auto& [name, count] : counts[step]) {
            std::printf(" %s", name.substr(name.find('!') + 1).c_str());
            if (count > 1) {
                std::printf("x%llu", static_cast<unsigned long long>(count));
            }
        }
        std::printf("\n");
    }
}

double MeanCalls(const std::array<CallCounts, kSteps + 1>& counts) {
    double sum = 0;
    for (int step = 0; step < kSteps; ++step) {
        sum += static_cast<double>(Total(counts[static_cast<std::size_t>(step)]));
    }
    return sum / kSteps;
}

// ---------------------------------------------------------------------------
// Forms of many buttons, each measured in a process of its own

constexpr int kFormSizes[] = {30, 300, 1000};
// Five runs: a form of 1000 takes about 0.4 s in some runs and 1.4 s in
// others, push buttons alike, and the median of three often fell on the slow.
constexpr int kFormRuns = 5;

const char* FormArgument(FormOf of) {
    return of == FormOf::kOurs ? "ours" : "push";
}

// Runs this program as `--form WHO N` and reads the line it prints.
std::optional<FormCost> MeasureFormApart(FormOf of, int buttons) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --form " +
                           (of == FormOf::kOurs ? L"ours " : L"push ") + std::to_wstring(buttons);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return std::nullopt;
    }
    const win::KernelObject reader(readEnd);
    win::KernelObject writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return std::nullopt;
    }
    const win::KernelObject child(process.hProcess);
    const win::KernelObject thread(process.hThread);
    writer.Reset(); // the child holds the only write end: reading ends when it does
    std::string output;
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        output.append(chunk, got);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    FormCost cost;
    if (std::sscanf(output.c_str(), "form %lf %lf %lf", &cost.micros, &cost.bytesPerButton,
                    &cost.gdiPerButton) != 3) {
        return std::nullopt;
    }
    return cost;
}

struct FormRow {
    int buttons = 0;
    FormCost ours;
    FormCost peer;
};

// The median time of the runs, with the memory of that run.
FormCost MedianRun(std::vector<FormCost> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const FormCost& a, const FormCost& b) { return a.micros < b.micros; });
    return runs[runs.size() / 2];
}

std::optional<std::vector<FormRow>> MeasureForms() {
    std::vector<FormRow> rows;
    for (const int buttons : kFormSizes) {
        std::vector<FormCost> ours;
        std::vector<FormCost> peer;
        for (int run = 0; run < kFormRuns; ++run) {
            // The order turns each run.
            for (const FormOf of : run % 2 == 0 ? std::array{FormOf::kOurs, FormOf::kPushButtons}
                                                : std::array{FormOf::kPushButtons, FormOf::kOurs}) {
                const std::optional<FormCost> cost = MeasureFormApart(of, buttons);
                if (!cost) {
                    std::printf("the form of %d buttons (%s) could not be measured\n", buttons,
                                FormArgument(of));
                    return std::nullopt;
                }
                (of == FormOf::kOurs ? ours : peer).push_back(*cost);
            }
        }
        rows.push_back({buttons, MedianRun(ours), MedianRun(peer)});
    }
    return rows;
}

void PrintForms(const std::vector<FormRow>& rows) {
    std::printf("\nForms of buttons created, each loaded from its own saved stream, painted once "
                "(median of %d runs,\neach in a process of its own; peer: as many push buttons, "
                "BS_BITMAP where ours show a picture):\n",
                kFormRuns);
    std::printf("  %6s %12s %12s %9s %9s %10s %10s %8s %8s\n", "count", "ours ms", "push ms",
                "ours us/b", "push us/b", "ours B/b", "push B/b", "ours G/b", "push G/b");
    for (const FormRow& row : rows) {
        std::printf("  %6d %12.1f %12.1f %9.1f %9.1f %10.0f %10.0f %8.2f %8.2f\n", row.buttons,
                    row.ours.micros / 1000, row.peer.micros / 1000, row.ours.micros / row.buttons,
                    row.peer.micros / row.buttons, row.ours.bytesPerButton, row.peer.bytesPerButton,
                    row.ours.gdiPerButton, row.peer.gdiPerButton);
    }
}

// ---------------------------------------------------------------------------
// The summary

void PrintGoal(const char* what, double ours, double peer, double limit) {
    const double ratio = ours / peer;
    std::printf("  %-44s %10.1f %10.1f %7.2f  <= %-4.2f %s\n", what, ours, peer, ratio, limit,
                ratio <= limit ? "met" : "NOT MET");
}

int Run() {
    if (!olehost::RegisterLibrary(olehost::WinePath(TOVABEL_OCX_PATH))) {
        std::printf("the control library could not be registered\n");
        return 1;
    }
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    olehost::Form form(L"Tovabel paint benchmark", {420, 140});
    OurButton icon(form, "Tovabel icon 24x24", {0, L"", true, 4, {24, 24}}, {8, 8});
    OurButton captioned(form, "Tovabel picture + caption", {0, L"Open", true, 0, {56, 36}},
                        {40, 8});
    OurButton dropDown(form, "Tovabel DropDown", {3, L"Back", true, 0, {66, 36}}, {104, 8});
    ToolbarButton toolbarIcon(form.Window(), "toolbar icon 24x24", nullptr, false, {8, 60});
    ToolbarButton toolbarCaptioned(form.Window(), "toolbar picture + caption", L"Open", false,
                                   {40, 60});
    ToolbarButton toolbarDropDown(form.Window(), "toolbar drop-down", L"Back", true, {104, 60});
    PushButton push(form.Window(), "push button BM_SETSTATE", {200, 60});
    // What the control's own procedure in front of its window costs a move.
    OurButton bare(form, "Tovabel icon, own procedure out", {0, L"", true, 4, {24, 24}}, {300, 8});
    if (!icon.Ready() || !captioned.Ready() || !dropDown.Ready() || !bare.Ready() ||
        FAILED(bare.Call(L"UnSubClass"))) {
        std::printf("%s could not be created\n", tovabel::identity::kProgId);
        return 1;
    }
    form.Settle();

    const std::vector<Subject*> subjects = {
        &icon, &toolbarIcon, &captioned, &toolbarCaptioned, &dropDown, &toolbarDropDown, &push};
    const std::vector<Result> r = Measure(subjects);
    ReleaseCapture();

    std::printf("Paint benchmark: medians of %d rounds of %d cycles, microseconds per "
                "transition,\neach transition one repaint of the window (UpdateWindow). "
                "Push button: push, release.\n\n",
                kRounds, kCyclesPerRound);
    std::printf("  %-34s", "subject");
    for (const char* step : kStepNames) {
        std::printf(" %8s", step);
    }
    std::printf(" %8s %10s\n", "mean", "changes/s");
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        PrintTimes(subjects[i]->Name().c_str(), r[i]);
    }
    std::printf("\nRatios ours/peer per transition (time; below 1.0 ours is faster):\n");
    PrintRatio("icon 24x24 / toolbar", r[0], r[1]);
    PrintRatio("picture + caption / toolbar", r[2], r[3]);
    PrintRatio("DropDown / toolbar drop-down", r[4], r[5]);
    PrintRatio("icon 24x24 / push button", r[0], r[6]);
    PrintRatio("picture + caption / push button", r[2], r[6]);
    PrintRatio("DropDown / push button", r[4], r[6]);

    const auto [oursCrossing, toolbarCrossing, bareCrossing] =
        MeasureCrossings(icon, toolbarIcon, bare);
    ReleaseCapture();
    std::printf("\nPointer crossing a raised button (median of %d rounds of %d moves, one "
                "UpdateWindow each):\n  %-34s %8.1f us per move\n  %-34s %8.1f us per move\n"
                "  %-34s %8.1f us per move\n",
                kRounds, kCyclesPerRound, icon.Name().c_str(), oursCrossing,
                toolbarIcon.Name().c_str(), toolbarCrossing, bare.Name().c_str(), bareCrossing);

    const auto oursCalls = CountCalls(icon, GetModuleHandleW(L"Tovabel2.ocx"));
    const auto captionedCalls = CountCalls(captioned, GetModuleHandleW(L"Tovabel2.ocx"));
    const auto toolbarCalls = CountCalls(toolbarIcon, GetModuleHandleW(L"comctl32.dll"));
    ReleaseCapture();
    PrintCalls("Calls to user32 and gdi32 per transition, made by our library (icon 24x24):",
               oursCalls);
    PrintCalls("The same for our picture + caption:", captionedCalls);
    PrintCalls("The same made by comctl32 for its toolbar icon:", toolbarCalls);

    const std::optional<std::vector<FormRow>> forms = MeasureForms();
    if (!forms) {
        return 1;
    }
    PrintForms(*forms);

    std::printf("\nSummary (ratio ours/peer, measured side by side in this run):\n");
    std::printf("  %-44s %10s %10s %7s  %-7s\n", "", "ours", "peer", "ratio", "goal");
    PrintGoal("look change, icon / toolbar (us)", r[0].mean, r[1].mean, 0.5);
    PrintGoal("look change, picture+caption / toolbar (us)", r[2].mean, r[3].mean, 0.5);
    PrintGoal("look change, DropDown / toolbar (us)", r[4].mean, r[5].mean, 0.5);
    PrintGoal("look change, icon / push button (us)", r[0].mean, r[6].mean, 2.0);
    PrintGoal("look change, picture+caption / push (us)", r[2].mean, r[6].mean, 2.0);
    PrintGoal("look change, DropDown / push button (us)", r[4].mean, r[6].mean, 2.0);
    PrintGoal("move over raised icon / toolbar (us)", oursCrossing, toolbarCrossing, 0.5);
    PrintGoal("window-system calls per look change / toolbar", MeanCalls(oursCalls),
              MeanCalls(toolbarCalls), 1.0);
    for (const FormRow& row : *forms) {
        if (row.buttons != 300) {
            continue;
        }
        PrintGoal("form of 300 / push buttons: time (ms)", row.ours.micros / 1000,
                  row.peer.micros / 1000, 2.0);
        PrintGoal("form of 300 / push: private bytes per button", row.ours.bytesPerButton,
                  row.peer.bytesPerButton, 2.0);
        PrintGoal("form of 300 / push: GDI objects per button", row.ours.gdiPerButton,
                  row.peer.gdiPerButton, 2.0);
    }
    static_assert(std::size(kFormSizes) == 3, "the growth compares three forms");
    const FormRow& fewest = (*forms)[0];
    const FormRow& middle = (*forms)[1];
    const FormRow& most = (*forms)[2];
    // Linear or better: a button added to the largest form costs no more than
    // one added to the smallest (a quarter more allowed for noise). Taking
    // the differences between forms leaves out what every form pays once,
    // such as its own first paint.
    const auto added = [](const FormRow& from, const FormRow& to, const FormCost FormRow::*who) {
        return ((to.*who).micros - (from.*who).micros) / (to.buttons - from.buttons);
    };
    PrintGoal("time per added button, 300-1000 / 30-300 (us)", added(middle, most, &FormRow::ours),
              added(fewest, middle, &FormRow::ours), 1.25);
    std::printf("  %-44s %10.1f %10.1f %7.2f\n", "  the same for push buttons",
                added(middle, most, &FormRow::peer), added(fewest, middle, &FormRow::peer),
                added(middle, most, &FormRow::peer) / added(fewest, middle, &FormRow::peer));
    PrintGoal("per-button bytes, form of 1000 / form of 30", most.ours.bytesPerButton,
              fewest.ours.bytesPerButton, 1.25);
    return 0;
}

// What a child run prints: one form's cost (and, with `listCalls`, then the
// calls per button).
int RunForm(const char* who, const char* count, bool listCalls) {
    const int buttons = std::atoi(count);
    const FormOf of = std::strcmp(who, "ours") == 0 ? FormOf::kOurs : FormOf::kPushButtons;
    if (buttons <= 0 || !olehost::RegisterLibrary(olehost::WinePath(TOVABEL_OCX_PATH))) {
        return 2;
    }
    const std::optional<FormCost> cost = MeasureForm(of, buttons, listCalls);
    if (!cost) {
        return 1;
    }
    std::printf("form %.1f %.1f %.3f\n", cost->micros, cost->bytesPerButton, cost->gdiPerButton);
    return 0;
}

} // namespace

} // namespace tovabel::bench

// No arguments: the whole benchmark. `--form ours|push N [--calls]`: one
// form, for the whole benchmark's own use (the calls to look at by hand).
int main(int argc, char** argv) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    const bool form = argc >= 4 && std::strcmp(argv[1], "--form") == 0;
    const bool listCalls = argc == 5 && std::strcmp(argv[4], "--calls") == 0;
    const int result =
        form ? tovabel::bench::RunForm(argv[2], argv[3], listCalls) : tovabel::bench::Run();
    CoUninitialize();
    return result;
}
