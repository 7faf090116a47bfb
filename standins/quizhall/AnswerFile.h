#pragma once
// The answer file of a test: a heading with the test's texts, then one block
// per student who handed in, opened by a line naming the seat (any seat text
// reads back as it was handed in). Portable.

#include <string>
#include <vector>

namespace quiz {

std::string AnswerFileHeading(const std::string& textA, const std::string& textB, int minutes);
std::string AnswerBlock(const std::string& seat, const std::string& answers);

// The seats that handed in, in file order.
std::vector<std::string> SeatsInAnswerFile(const std::string& text);

// What the statistics show for an answer file.
std::string StatisticsText(const std::string& text);

} // namespace quiz
