// Entry points of the runtime package for the platform's package loader.
#pragma once

namespace kestrix {

struct PackageInfo {
    const char* Name;
    const int* StartupCount;  // how often Initialize ran without a Finalize
};

void Initialize();
void Finalize();
const PackageInfo* GetPackageInfoTable();

}  // namespace kestrix
