#pragma once

namespace ui {

class PresentationController;

// Told about a sheet the user tries to swipe away.
class PresentationControllerDelegate {
public:
    virtual ~PresentationControllerDelegate() = default;
    // The user swiped a sheet that is modal in presentation: it sprang back and stayed.
    virtual void presentationControllerDidAttemptToDismiss(PresentationController&) {}
    // The user swiped the sheet away (not told for a dismissal in code).
    virtual void presentationControllerDidDismiss(PresentationController&) {}
};

}  // namespace ui
