#pragma once

#include <string_view>
#include <vector>

// The token rules of tagged text lines. A semicolon starts a comment in every kind of line.
namespace roamer::dsg {

// Leading spaces skipped; ends at the line end, a comma, a space or a semicolon.
std::string_view FirstToken(std::string_view line);

// Leading spaces skipped; ends at the line end, a comma or a semicolon (spaces stay in it).
std::string_view TextToken(std::string_view line);

// Up to the line end or a semicolon; commas and spaces separate tokens, and a run of separators
// makes no empty token.
void SplitTokens(std::string_view line, std::vector<std::string_view>& tokens);

// A quoted value: the text between the line's first double quote (the line must start with it,
// after spaces) and the last double quote before the comment, which starts at the first semicolon
// outside quotes. A name that holds a comma, a space or a quoted semicolon reads back whole, and
// spaces after the closing quote do no harm. False when the line holds no such pair.
bool QuotedValue(std::string_view line, std::string_view& value);

}  // namespace roamer::dsg
