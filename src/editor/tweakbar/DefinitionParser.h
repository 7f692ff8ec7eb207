// Reads definition strings (level designers' data) into statements, reporting what it cannot read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/tweakbar/DefinitionStatement.h"

namespace Tweak {

class DefinitionParser {
public:
    enum class Targets {
        Named,    // every statement starts with BarName or BarName/EntryName
        Implied,  // statements are attributes only
    };

    // Longest definition string read; longer ones are refused whole.
    static constexpr std::size_t kMaxDefinitionLength = 64 * 1024;

    // Statements are lines; one that cannot be read is left out and its reason added to errors, so
    // the others can still be applied.
    static std::vector<DefinitionStatement> Parse(std::string_view text, Targets targets,
                                                  std::vector<std::string>& errors);

private:
    DefinitionParser(std::string_view line, int lineNumber) : line_(line), lineNumber_(lineNumber) {}

    bool ReadStatement(Targets targets, DefinitionStatement& statement);
    bool ReadTarget(DefinitionStatement& statement);
    bool ReadAttribute(DefinitionStatement& statement);
    // A quoted or bare piece of a target; bare ones stop at blanks, '/', '=' and quotes.
    bool ReadTargetPart(std::string& part, const char* what);
    bool ReadValue(std::string& value, const std::string& attributeName);
    bool ReadQuoted(std::string& text, std::size_t maxLength, const std::string& what);
    std::string_view ReadBareWord(std::string_view stops);

    void SkipBlanks();
    bool AtEnd() const { return position_ >= line_.size(); }
    char Peek() const { return AtEnd() ? '\0' : line_[position_]; }
    bool Fail(const std::string& message);

    std::string_view line_;
    std::size_t position_ = 0;
    int lineNumber_;
    std::string error_;
};

}  // namespace Tweak
