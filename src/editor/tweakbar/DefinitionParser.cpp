// The definition-string reader.
#include "editor/tweakbar/DefinitionParser.h"

#include "editor/tweakbar/ValueText.h"

namespace Tweak {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

constexpr std::string_view kBlanks = " \t\r\v\f";

}  // namespace

std::vector<DefinitionStatement> DefinitionParser::Parse(std::string_view text, Targets targets,
                                                         std::vector<std::string>& errors) {
    std::vector<DefinitionStatement> statements;
    if (text.size() > kMaxDefinitionLength) {
        errors.push_back("definition longer than " + std::to_string(kMaxDefinitionLength) + " characters");
        return statements;
    }
    int lineNumber = 0;
    while (!text.empty() || lineNumber == 0) {
        ++lineNumber;
        const std::size_t newline = text.find('\n');
        DefinitionParser parser(text.substr(0, newline), lineNumber);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        DefinitionStatement statement;
        statement.line = lineNumber;
        parser.SkipBlanks();
        if (parser.AtEnd()) {
            continue;
        }
        if (parser.ReadStatement(targets, statement)) {
            statements.push_back(std::move(statement));
        } else {
            errors.push_back(parser.error_);
        }
    }
    return statements;
}

bool DefinitionParser::ReadStatement(Targets targets, DefinitionStatement& statement) {
    if (targets == Targets::Named && !ReadTarget(statement)) {
        return false;
    }
    for (SkipBlanks(); !AtEnd(); SkipBlanks()) {
        if (!ReadAttribute(statement)) {
            return false;
        }
    }
    return true;
}

bool DefinitionParser::ReadTarget(DefinitionStatement& statement) {
    if (!ReadTargetPart(statement.barName, "bar name")) {
        return false;
    }
    if (Peek() == '/') {
        ++position_;
        if (!ReadTargetPart(statement.entryName, "entry name")) {
            return false;
        }
    }
    if (Peek() == '=') {
        return Fail("the statement starts with an attribute; it needs a bar name first");
    }
    if (!AtEnd() && !IsBlank(Peek())) {
        return Fail("unexpected '" + std::string(1, Peek()) + "' after the target");
    }
    return true;
}

bool DefinitionParser::ReadTargetPart(std::string& part, const char* what) {
    if (IsQuote(Peek())) {
        if (!ReadQuoted(part, kMaxNameLength, what)) {
            return false;
        }
    } else {
        part = std::string(ReadBareWord("/='\""));
    }
    if (!IsAcceptableName(part)) {
        return Fail(std::string(part.empty() ? "missing " : "unacceptable ") + what +
                    (part.size() > kMaxNameLength ? " (too long)" : ""));
    }
    return true;
}

bool DefinitionParser::ReadAttribute(DefinitionStatement& statement) {
    const std::string_view word = ReadBareWord("='\"");
    if (word.empty()) {
        return Fail("expected an attribute name at '" + std::string(1, Peek()) + "'");
    }
    if (!IsAttributeName(word)) {
        return Fail("'" + std::string(word.substr(0, kMaxNameLength)) + "' is not an attribute name");
    }
    const std::string name = Lowercase(word);
    SkipBlanks();
    if (Peek() != '=') {
        return Fail("attribute '" + name + "' has no '=' and value");
    }
    ++position_;
    SkipBlanks();
    std::string value;
    if (!ReadValue(value, name)) {
        return false;
    }
    statement.attributes.emplace_back(name, std::move(value));
    return true;
}

bool DefinitionParser::ReadValue(std::string& value, const std::string& attributeName) {
    if (IsQuote(Peek())) {
        return ReadQuoted(value, kMaxValueLength, "value of '" + attributeName + "'");
    }
    const std::string_view word = ReadBareWord("'\"");
    if (word.empty()) {
        return Fail("attribute '" + attributeName + "' has no value");
    }
    if (IsQuote(Peek())) {
        return Fail("stray quote in the value of '" + attributeName + "'");
    }
    if (word.size() > kMaxValueLength) {
        return Fail("value of '" + attributeName + "' is too long");
    }
    value = std::string(word);
    return true;
}

bool DefinitionParser::ReadQuoted(std::string& text, std::size_t maxLength, const std::string& what) {
    const char quote = line_[position_];
    const std::size_t close = line_.find(quote, position_ + 1);
    if (close == std::string_view::npos) {
        return Fail("unterminated quote in the " + what);
    }
    const std::string_view inside = line_.substr(position_ + 1, close - position_ - 1);
    if (inside.size() > maxLength) {
        return Fail("the " + what + " is too long");
    }
    text = std::string(inside);
    position_ = close + 1;
    return true;
}

std::string_view DefinitionParser::ReadBareWord(std::string_view stops) {
    const std::size_t start = position_;
    while (!AtEnd() && !IsBlank(Peek()) && stops.find(Peek()) == std::string_view::npos) {
        ++position_;
    }
    return line_.substr(start, position_ - start);
}

void DefinitionParser::SkipBlanks() {
    const std::size_t next = line_.find_first_not_of(kBlanks, position_);
    position_ = next == std::string_view::npos ? line_.size() : next;
}

bool DefinitionParser::Fail(const std::string& message) {
    error_ = "line " + std::to_string(lineNumber_) + ": " + message;
    return false;
}

}  // namespace Tweak
