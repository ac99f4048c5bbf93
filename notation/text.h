// Texts and lists: the byte strings and 1-based lists every other part of the
// calculator is built on, with their exact edge behaviour.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// A text is a byte string; fixed texts are in code page 936, where a byte of
// 0x80 or above starts a two-byte character. Lengths and positions count bytes.
using text = std::string;
// Lists own copies of their members; positions start at 1.
using text_list = std::vector<text>;
using integer_list = std::vector<std::int32_t>;

std::int32_t byte_length(const text& t);
text left_part(const text& t, std::int32_t n);
// The same, reusing a text the caller no longer needs.
text left_part(text&& t, std::int32_t n);
text right_part(const text& t, std::int32_t n);
text concatenate(const text& a, const text& b);
text concatenate(const text& a, const text& b, const text& c);
std::int32_t compare_texts(const text& a, const text& b);
std::int32_t to_integer(const text& t);
text integer_to_text(std::int32_t n);
text_list split_at(const text& t, const text& separator);
text replace_all(const text& t, const text& find, const text& replacement);
// The same, reusing a text the caller no longer needs.
text replace_all(text&& t, const text& find, const text& replacement);
std::int32_t truncating_divide(std::int32_t a, std::int32_t b);

// The system clipboard is reached through a writer that the window installs;
// it returns true when the clipboard now holds the text. Without a writer
// nothing can be copied and the result is false.
using clipboard_writer = std::function<bool(const text&)>;
void set_clipboard_writer(clipboard_writer writer);
bool copy_to_clipboard(const text& t);

// A list position outside its list is a programming fault: it is reported
// through the fatal-error handler and ends the process. The default handler
// writes the report to standard error; the window installs a message box.
enum class range_fault { below_one, beyond_range };
using fatal_error_handler = void (*)(const text& report);
void set_fatal_error_handler(fatal_error_handler handler);
[[noreturn]] void index_out_of_range(range_fault fault);
text range_fault_report(range_fault fault);

text_list make_text_list(std::int32_t count);
integer_list make_integer_list(std::int32_t count);

template <class List>
std::int32_t list_count(const List& list) {
  return static_cast<std::int32_t>(list.size());
}

template <class List>
auto& list_at(List& list, std::int32_t position) {
  if (position < 1) index_out_of_range(range_fault::below_one);
  if (position > list_count(list)) index_out_of_range(range_fault::beyond_range);
  return list[static_cast<std::size_t>(position - 1)];
}

void list_append(text_list& list, const text& value);
void list_remove_at(text_list& list, std::int32_t position);
text_list list_copy(const text_list& list);
void list_clear(text_list& list);

}  // namespace calc
