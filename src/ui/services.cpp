#include "ui/services.h"

namespace {

void presentStep(Services &services, const Step &step) {
    switch (step.kind) {
    case Step::Kind::Message:
        services.messageBox(step.text);
        break;
    case Step::Kind::Error:
        services.zobraz_spravu(step.text, Services::Error, Services::OK);
        break;
    case Step::Kind::Information:
        services.zobraz_spravu(step.text, Services::Information, Services::OK);
        break;
    case Step::Kind::Beep:
        services.beep1();
        break;
    case Step::Kind::Focus:
        services.focusBox(step.box);
        break;
    case Step::Kind::FocusIfShown:
        if (services.canFocusBox(step.box))
            services.focusBox(step.box);
        break;
    case Step::Kind::Show:
        services.display(step.display);
        break;
    case Step::Kind::Busy:
        services.pracujem(step.text);
        break;
    case Step::Kind::Pause:
        services.sleep(step.milliseconds);
        break;
    }
}

} // namespace

void present(Services &services, const Outcome &outcome) {
    for (const Step &step : outcome.steps())
        presentStep(services, step);
}

std::optional<FormBox> presentExit(Services &services, const Outcome &outcome) {
    std::optional<FormBox> back;
    for (const Step &step : outcome.steps()) {
        if (step.kind == Step::Kind::Focus || step.kind == Step::Kind::FocusIfShown) {
            if (step.kind == Step::Kind::Focus || services.canFocusBox(step.box))
                back = step.box;
        } else {
            presentStep(services, step);
        }
    }
    return back;
}
