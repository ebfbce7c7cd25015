// Stand-in for the runtime string type: enough for the core to store titles and texts.
#pragma once

#include <cstring>
#include <string>

class RtString {
  public:
    RtString() = default;
    RtString(const char* text) : text_(text ? text : "") {}
    const char* CText() const { return text_.c_str(); }
    unsigned Length() const { return static_cast<unsigned>(text_.size()); }

  private:
    std::string text_;
};
