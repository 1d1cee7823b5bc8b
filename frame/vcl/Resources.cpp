#include <cctype>
#include <map>

#include "vcl/Graphics.h"

namespace vcl {

namespace {

std::string Key(const std::string& Name) {
    std::string K = Name;
    for (char& C : K) C = char(std::toupper(uint8_t(C)));
    return K;
}

std::map<std::string, std::vector<uint8_t>>& Registry() {
    static std::map<std::string, std::vector<uint8_t>> R;
    return R;
}

}  // namespace

void RegisterResource(const std::string& Name, std::span<const uint8_t> Data) {
    Registry()[Key(Name)] = std::vector<uint8_t>(Data.begin(), Data.end());
}

bool ResourceExists(const std::string& Name) { return Registry().count(Key(Name)) != 0; }

void TBitmap::LoadFromResourceName(HINSTANCE, const std::string& ResName) {
    const auto It = Registry().find(Key(ResName));
    if (It == Registry().end()) throw EResNotFound("Resource " + ResName + " not found");
    LoadFromBytes(It->second);
}

}  // namespace vcl
