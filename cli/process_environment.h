// What differs between the platforms at the edges of the process: how the
// arguments arrive and how the standard streams treat bytes.
#pragma once

#include <string>
#include <vector>

namespace tamrel::cli {

// Makes the standard streams pass bytes unchanged: on Windows no CR is added
// in front of an LF written and none is taken from a CR LF read.
void PrepareStandardStreams();

// The arguments after the program's name. Windows hands them over as UTF-16
// (the ANSI argv would have lost what code page 936 lacks); they come back in
// UTF-8 form (Utf16ToUtf8).
std::vector<std::string> ReadArguments(int argc, char** argv);

// True where ReadArguments converts from Unicode.
bool ArgumentsArriveAsUnicode();

}  // namespace tamrel::cli
