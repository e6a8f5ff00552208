#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fondex::toolkit {

// The help file is UTF-8 text cut into sections: a line "[n] Title" opens the section of help
// context n, and the lines after it, up to the next such line, are its text.
struct HelpSection {
  std::string title;
  std::string text;  // without the blank lines around it
};

std::optional<HelpSection> FindHelpSection(std::string_view helpText, int context);

}  // namespace fondex::toolkit
