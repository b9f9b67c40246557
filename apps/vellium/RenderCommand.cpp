// `vellium render`: a tweak bundle's list screen (or with --home its principal class), after scripted taps,
// typing, scrolling and actions, to a PNG and a JSON description of its view tree. Runs on a manual clock, so
// every step is followed by exactly the same run-loop time and the images are reproducible.
#include <chrono>
#include <fstream>
#include <iostream>
#include <thread>

#include "Command.h"
#include "HostServices.h"
#include "RenderOptions.h"
#include "TweakScreen.h"
#include "VisibleText.h"
#include "base/Clock.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "sys/ContactStore.h"
#include "sys/Http.h"
#include "ui/KeyInput.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace {

constexpr auto kStepTime = std::chrono::milliseconds(600);
// A download's total time-out, and a little more.
constexpr auto kDownloadWait = std::chrono::seconds(31);

// The controller a person sees: the innermost presented one, or the navigation's top.
std::shared_ptr<ui::ViewController> topController(const std::shared_ptr<ui::ViewController>& root) {
    auto top = root;
    while (auto presented = top->presentedViewController()) top = presented;
    if (auto* navigation = dynamic_cast<ui::NavigationController*>(top.get())) {
        if (auto pushed = navigation->topViewController()) return pushed;
    }
    return top;
}

template <class Scroller>
std::shared_ptr<Scroller> first(const std::shared_ptr<ui::View>& view) {
    if (auto found = std::dynamic_pointer_cast<Scroller>(view)) return found;
    for (const auto& subview : view->subviews()) {
        if (auto found = first<Scroller>(subview)) return found;
    }
    return nullptr;
}

// The list's table, or else the screen's first scroll view (a home screen's).
std::shared_ptr<ui::ScrollView> scrollerOf(const std::shared_ptr<ui::View>& view) {
    if (auto table = first<ui::TableView>(view)) return table;
    return first<ui::ScrollView>(view);
}

class RenderSession {
public:
    explicit RenderSession(const RenderOptions& options) : options_(options) {
        base::Clock::setCurrent(clock_);
        window_ = ui::Window::create(options.size, options.scale);
        window_->setTraitCollection(options.dark ? gfx::TraitCollection::dark()
                                                 : gfx::TraitCollection::light());
    }
    ~RenderSession() { base::Clock::setCurrent(nullptr); }

    // Opens the screen; false (with the line on standard error) when the bundle or document
    // is missing, though the screen still shows.
    bool open() {
        std::string problem;
        if (options_.home) {
            // The home screen configures itself once its view loads, as in the host.
            auto home = TweakScreen::openPrincipal(options_.bundle, problem);
            screen_ = ui::NavigationController::create(home);
        } else {
            TweakScreen::Request request{options_.bundle, options_.document, options_.title};
            auto list = TweakScreen::open(request, problem);
            TweakScreen::configure(*list, request);
            screen_ = list;
        }
        window_->setRootViewController(screen_);
        settle();
        return report(problem);
    }

    bool perform(const RenderOptions::Step& step) {
        window_->layoutWindowIfNeeded();  // rows exist once the table has been laid out
        std::string problem;
        switch (step.kind) {
            case RenderOptions::StepKind::Tap:
                if (auto view = VisibleText::find(*window_, step.text)) {
                    tap(VisibleText::centre(*view));
                } else {
                    problem = "--tap: no visible label or button shows \"" + step.text + "\"";
                }
                break;
            case RenderOptions::StepKind::TapAt:
                tap(step.point);
                break;
            case RenderOptions::StepKind::Type:
                if (auto* input = dynamic_cast<ui::KeyInput*>(window_->firstResponder().get())) {
                    input->insertText(step.text);
                } else {
                    problem = "--type: no text field is being edited";
                }
                break;
            case RenderOptions::StepKind::Scroll:
                if (auto scroller = scrollerOf(topController(screen_)->view())) {
                    scroller->setContentOffset({scroller->contentOffset().x, step.point.y});
                } else {
                    problem = "--scroll: the screen shows no table or scroll view";
                }
                break;
            case RenderOptions::StepKind::Action:
                topController(screen_)->sendAction(step.text);
                break;
        }
        settle();
        return report(problem);
    }

    bool write() {
        awaitDownloads();
        window_->layoutWindowIfNeeded();
        bool ok = true;
        if (auto written = host::HeadlessHost::writePng(*window_, options_.output, window_->scale());
            !written)
            ok = report("cannot write " + options_.output + ": " + written.error().description);
        if (options_.json) {
            std::ofstream out(*options_.json, std::ios::binary | std::ios::trunc);
            out << host::HeadlessHost::dumpJson(*window_);
            if (!out.flush()) ok = report("cannot write " + *options_.json);
        }
        return ok;
    }

private:
    void tap(gfx::Point point) {
        window_->sendTouch(ui::Touch(1, ui::TouchPhase::Began, point));
        clock_->advance(std::chrono::milliseconds(50));
        window_->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, point));
    }
    void settle() {
        base::RunLoop::main().runFor(kStepTime);
        window_->layoutWindowIfNeeded();
    }
    // Downloads finish in real time on threads of their own, bounded by their time-outs; the
    // manual clock stands still meanwhile, so the picture does not depend on the network's speed.
    void awaitDownloads() {
        const auto deadline = std::chrono::steady_clock::now() + kDownloadWait;
        while (sys::Http::pendingCount() > 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            base::RunLoop::main().runUntilIdle();
        }
        settle();
    }
    static bool report(const std::string& problem) {
        if (problem.empty()) return true;
        std::cerr << "vellium render: " << problem << "\n";
        return false;
    }

    const RenderOptions& options_;
    // Monotonic time stands still between steps; the date shown is today's.
    std::shared_ptr<base::ManualClock> clock_ =
        std::make_shared<base::ManualClock>(base::Clock::system()->currentDate());
    std::shared_ptr<ui::Window> window_;
    std::shared_ptr<ui::ViewController> screen_;
};

}  // namespace

int runRender(std::span<const std::string> arguments) {
    const RenderOptions options = RenderOptions::parse(arguments);
    HostServices::install();
    HostServices::setDownloadSource(options.repository, options.caFile);
    if (options.contacts) sys::ContactStore::setDirectory(*options.contacts);
    RenderSession session(options);
    bool ok = session.open();
    for (const auto& step : options.steps) ok = session.perform(step) && ok;
    ok = session.write() && ok;
    return ok ? 0 : 1;
}
