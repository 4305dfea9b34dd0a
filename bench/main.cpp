// The paint benchmark: how many state changes per second our button paints,
// side by side with Wine's comctl32 toolbar and push button doing comparable
// work in the same run. Every transition of Normal -> Hover -> Pressed ->
// Hover -> Normal is one repaint of the window; rounds interleave the
// subjects, and the medians of the rounds are printed with the ratios
// ours/peer (below 1.0: ours is faster).
#include "control/identity.h"
#include "subjects.h"
#include "win/olehost/library.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

namespace tovabel::bench {

namespace {

constexpr int kRounds = 41;
constexpr int kCyclesPerRound = 25;
constexpr const char* kStepNames[kSteps] = {"N->H", "H->P", "P->H", "H->N"};

// Microseconds per transition, by transition, in one round.
using Times = std::array<double, kSteps>;

double Now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

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
// what a pointer crossing the button costs once it has changed its look.
template <class Button> double MeasureCrossing(Button& button) {
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        button.Take(kToHover);
        const double start = Now();
        for (int n = 0; n < kCyclesPerRound; ++n) {
            button.MoveInside(n);
        }
        rounds.push_back((Now() - start) / kCyclesPerRound);
        button.Take(kToNormal);
    }
    return Median(rounds);
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
    if (!icon.Ready() || !captioned.Ready() || !dropDown.Ready()) {
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

    const double oursCrossing = MeasureCrossing(icon);
    const double toolbarCrossing = MeasureCrossing(toolbarIcon);
    ReleaseCapture();
    std::printf("\nPointer crossing a raised button (median of %d rounds of %d moves, one "
                "UpdateWindow each):\n  %-34s %8.1f us per move\n  %-34s %8.1f us per move\n"
                "  %-34s %8.2f\n",
                kRounds, kCyclesPerRound, icon.Name().c_str(), oursCrossing,
                toolbarIcon.Name().c_str(), toolbarCrossing, "ratio ours/toolbar",
                oursCrossing / toolbarCrossing);
    return 0;
}

} // namespace

} // namespace tovabel::bench

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    const int result = tovabel::bench::Run();
    CoUninitialize();
    return result;
}
