// The package entry points the platform's package loader calls. The units of
// kestrix_rt do no work of their own at load or unload time, so the unit table
// only carries the start-up counter every unit keeps.
#include "frame/Package.h"

namespace kestrix {

namespace {
int UnitStartupCount = 0;
const PackageInfo Info{"kestrix_rt", &UnitStartupCount};
}  // namespace

void Initialize() { ++UnitStartupCount; }

void Finalize() {
    if (UnitStartupCount > 0) --UnitStartupCount;
}

const PackageInfo* GetPackageInfoTable() { return &Info; }

}  // namespace kestrix
