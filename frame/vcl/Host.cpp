#include "vcl/Host.h"

#include "vcl/hosts/Headless.h"

namespace vcl {

namespace {

// Never destroyed: forms and controls that die during shutdown still report
// to the host.
std::unique_ptr<THost>& Active() {
    static auto* Slot = new std::unique_ptr<THost>();
    return *Slot;
}

}  // namespace

THost& Host() {
    auto& Slot = Active();
    if (!Slot) Slot = std::make_unique<THeadlessHost>();
    return *Slot;
}

std::unique_ptr<THost> SetHost(std::unique_ptr<THost> NewHost) {
    auto Old = std::move(Active());
    Active() = std::move(NewHost);
    return Old;
}

}  // namespace vcl
