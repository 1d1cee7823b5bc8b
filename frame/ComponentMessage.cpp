#include "frame/ComponentMessage.h"

namespace kestrix {

std::string ComponentMessage(std::string_view ComponentName, std::string_view Problem) {
    std::string Text = "Component \"";
    Text += ComponentName;
    Text += "\": ";
    Text += Problem;
    return Text;
}

}  // namespace kestrix
