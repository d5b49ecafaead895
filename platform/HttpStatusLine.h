#pragma once
// The status line that starts every HTTP answer ("HTTP/1.1 200 OK"), read by both HTTP
// clients of the program.
#include <string_view>

// The status code as written: the second blank-separated word, without the line end; empty
// when the line has none.
std::string_view StatusCodeText(std::string_view statusLine);
// The status code as a number, -1 when the word is missing or is not one to nine digits.
int StatusCodeOf(std::string_view statusLine);
