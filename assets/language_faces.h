// The faces a language's texts are drawn in.
#pragma once

#include <string>

// The family of the face that draws what DejaVu Sans lacks in a language's
// texts (language as its catalog is named: "ja", "zh_TW"): Noto Sans CJK in
// the forms of Japan, mainland China, Taiwan and Korea, whose Han characters
// differ; empty for the languages DejaVu Sans draws whole.
std::string fallbackFamilyOf(const std::string& language);
