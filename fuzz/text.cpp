// Fuzzes the text functions: any bytes as texts and as a number must give results that keep
// the string invariants, and a number's text must read back to the same ten digits.
#include <cfloat>
#include <cmath>
#include <sstream>

#include "FuzzFiles.h"
#include "text/TextCommands.h"

namespace {

using fuzzfiles::Check;

void CheckInvariants(const RtString& text) {
    Check(std::strlen(text.CText()) == text.Length());
    Check(text.Capacity() == 0 ? text.Length() == 0 : text.Capacity() > text.Length());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(double)) return 0;
    double number;
    std::memcpy(&number, data, sizeof(number));
    const RtString numberText = NumberToText(number);
    CheckInvariants(numberText);
    Check(numberText.Length() < 24);
    const double back = TextToNumber(numberText);
    // Ten digits of the largest doubles round up past the largest double and read back as
    // infinity; tiny subnormals have too few bits for a relative bound.
    if (std::isfinite(number) && std::isfinite(back) && std::fabs(number) >= DBL_MIN) {
        Check(std::fabs(back - number) <= std::fabs(number) * 5.0000001e-10);
        Check(std::strcmp(NumberToText(back).CText(), numberText.CText()) == 0);
    }

    // The rest is three texts separated by zero bytes: text, find, with.
    std::istringstream rest(fuzzfiles::Text(data + sizeof(double), size - sizeof(double)));
    std::string parts[3];
    for (std::string& part : parts)
        std::getline(rest, part, '\0');
    RtString text(parts[0].c_str());
    const RtString find(parts[1].c_str()), with(parts[2].c_str());

    const double position = InStr(text, find);
    Check(position >= -1 && position <= text.Length());
    CheckInvariants(MidText(text, number, static_cast<double>(size)));
    CheckInvariants(MidText(text, static_cast<double>(size % 7), number));
    CheckInvariants(LowerCase(text));
    CheckInvariants(FormatNumber(static_cast<double>(size % 300), number, number));

    StrArray pieces;
    const double count = SplitString(text, pieces, find);
    size_t partBytes = 0;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        CheckInvariants(pieces(i));
        Check(pieces(i).Length() > 0);
        partBytes += pieces(i).Length();
    }
    Check(partBytes <= text.Length());

    RtString copy(text);
    const RtString replaced = ReplaceText(copy, find, with);
    CheckInvariants(replaced);
    Check(std::strcmp(replaced.CText(), copy.CText()) == 0);
    if (find.Length() == 0) Check(std::strcmp(replaced.CText(), text.CText()) == 0);
    return 0;
}
