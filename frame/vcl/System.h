// Root of the platform object model: TObject and the notification event type.
#pragma once

#include <functional>
#include <string>

namespace vcl {

class TObject;

// Plain notification: the object that sends it, nothing else.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name as the platform spells it ("TFont", "TNumLab"); every
    // class that can appear in a message or a form file overrides it.
    virtual std::string ClassName() const { return "TObject"; }
};

}  // namespace vcl
