#include "TweakScreen.h"

#include "TweakBundle.h"
#include "home/VLPrefsConfig.h"
#include "prefslist/VLPreferencesListViewController.h"
#include "ui/ViewController.h"
#include "uikit/VLViewControllerRegistry.h"

namespace {

std::string documentName(const TweakScreen::Request& request) {
    return request.document.empty() ? request.bundle : request.document;
}

std::shared_ptr<VLPreferencesListViewController> principalScreen(const TweakBundle& bundle,
                                                                 std::string& problem) {
    if (bundle.listClass().empty()) return nullptr;
    auto controller = VLViewControllerRegistry::shared().create(bundle.listClass());
    auto screen = std::dynamic_pointer_cast<VLPreferencesListViewController>(controller);
    if (controller && !screen)
        problem = "The list class " + bundle.listClass() + " of bundle " + bundle.name() +
                  " is not a list screen; showing a plain one";
    if (!controller) problem = "Bundle " + bundle.name() + " registers no class named " + bundle.listClass();
    return screen;
}

}  // namespace

std::shared_ptr<VLPreferencesListViewController> TweakScreen::open(const Request& request,
                                                                   std::string& problem) {
    problem.clear();
    std::shared_ptr<VLPreferencesListViewController> screen;
    auto bundle = TweakBundle::open(request.bundle);
    if (!bundle) {
        problem = bundle.error().description;
    } else {
        screen = principalScreen(bundle.value(), problem);
        const std::string document = documentName(request);
        if (problem.empty() && !bundle.value().hasDocument(document))
            problem = "No document " + document + ".plist in bundle " + request.bundle + " (" +
                      bundle.value().directory().string() + ")";
    }
    return screen ? screen : std::make_shared<VLPreferencesListViewController>();
}

void TweakScreen::configure(VLPreferencesListViewController& screen, const Request& request) {
    const std::string document = documentName(request);
    if (!TweakBundle::isPlainName(request.bundle) || !TweakBundle::isPlainName(document)) return;
    // Named before the view loads, so its first setupData already finds the document; the
    // title label exists only once the view has loaded.
    screen.setTweakNameString(request.bundle);
    screen.setPlistString(document);
    screen.view();
    auto config = std::make_shared<VLPrefsConfig>();
    config->tweakName = request.bundle;
    config->plistName = document;
    config->titleString = request.title;
    screen.updateWithPrefsConfig(config);
}

std::shared_ptr<ui::ViewController> TweakScreen::openPrincipal(const std::string& name,
                                                               std::string& problem) {
    problem.clear();
    auto bundle = TweakBundle::open(name);
    if (!bundle) {
        problem = bundle.error().description;
        return ui::ViewController::create();
    }
    const std::string& className = bundle.value().principalClass();
    auto screen = className.empty() ? nullptr : VLViewControllerRegistry::shared().create(className);
    if (screen) return screen;
    problem = className.empty() ? "Bundle " + name + " names no principal class"
                                : "Bundle " + name + " registers no class named " + className;
    return ui::ViewController::create();
}
