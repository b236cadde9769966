#include "data/RecordsetFilter.hpp"

#include <algorithm>
#include <cctype>
#include <optional>

#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

[[noreturn]] void BadFilter(std::string_view filter, const std::string& why) {
  throw ComError(3001, "Recordset",
                 "Arguments are of the wrong type, are out of acceptable range, or are in "
                 "conflict with one another: filter \"" +
                     std::string(filter) + "\": " + why);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Done() {
    SkipBlanks();
    return pos_ >= text_.size();
  }
  std::string Word() {
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                   text_[pos_] == '_' || text_[pos_] == '.' || text_[pos_] == '-'))
      ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }
  std::string Operator() {
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && std::string_view("=<>").find(text_[pos_]) != std::string::npos)
      ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }
  // A single-quoted text with '' for a quote, or nothing when the next token
  // is not quoted.
  std::optional<std::string> Quoted() {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != '\'') return std::nullopt;
    std::string out;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      if (text_[pos_] == '\'') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
          out.push_back('\'');
          ++pos_;
        } else {
          ++pos_;
          return out;
        }
      } else {
        out.push_back(text_[pos_]);
      }
    }
    BadFilter(text_, "unterminated text");
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::optional<Decimal> NumberOf(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kInteger:
      return Decimal(v.AsInteger());
    case Value::Kind::kDecimal:
      return v.AsDecimal();
    case Value::Kind::kDouble:
      return Decimal::FromDouble(v.AsDouble());
    case Value::Kind::kText:
      return Decimal::Parse(v.AsText());
    case Value::Kind::kBoolean:
      return Decimal(v.AsBoolean() ? -1 : 0);
    default:
      return std::nullopt;
  }
}

}  // namespace

RecordsetFilter RecordsetFilter::Parse(std::string_view filter,
                                       const std::vector<std::string>& columns) {
  RecordsetFilter result;
  Lexer lex(filter);
  if (lex.Done()) return result;
  result.terms_.emplace_back();
  while (true) {
    const std::string column = lex.Word();
    if (column.empty()) BadFilter(filter, "a column name is expected");
    const auto it = std::find_if(columns.begin(), columns.end(),
                                 [&](const std::string& c) { return Lower(c) == Lower(column); });
    if (it == columns.end()) BadFilter(filter, "unknown column " + column);
    const std::string op_text = lex.Operator();
    Op op;
    if (op_text == "=") {
      op = Op::kEq;
    } else if (op_text == "<>") {
      op = Op::kNe;
    } else if (op_text == "<") {
      op = Op::kLt;
    } else if (op_text == ">") {
      op = Op::kGt;
    } else if (op_text == "<=") {
      op = Op::kLe;
    } else if (op_text == ">=") {
      op = Op::kGe;
    } else {
      BadFilter(filter, "a comparison is expected after " + column);
    }
    Value literal;
    if (auto quoted = lex.Quoted()) {
      literal = Value(*quoted);
    } else {
      const std::string word = lex.Word();
      const auto number = Decimal::Parse(word);
      if (!number) BadFilter(filter, "a value is expected after " + column);
      literal = Value(*number);
    }
    std::optional<std::int64_t> whole;
    if (literal.kind() == Value::Kind::kDecimal &&
        literal.AsDecimal() == literal.AsDecimal().Truncate()) {
      whole = literal.AsDecimal().ToInt64();
    }
    result.terms_.back().push_back(
        {static_cast<std::size_t>(it - columns.begin()), op, std::move(literal), whole});
    if (lex.Done()) break;
    const std::string joiner = Lower(lex.Word());
    if (joiner == "or") {
      result.terms_.emplace_back();
    } else if (joiner != "and") {
      BadFilter(filter, "AND or OR is expected");
    }
  }
  return result;
}

bool RecordsetFilter::Holds(const Comparison& c, const Value& field) {
  if (field.IsNull()) return false;
  int order;
  if (c.whole && field.kind() == Value::Kind::kInteger) {
    const std::int64_t a = field.AsInteger();
    order = a < *c.whole ? -1 : (a > *c.whole ? 1 : 0);
  } else if (c.literal.kind() == Value::Kind::kDecimal) {
    const auto number = NumberOf(field);
    if (!number) return c.op == Op::kNe;
    const auto cmp = *number <=> c.literal.AsDecimal();
    order = cmp < 0 ? -1 : (cmp > 0 ? 1 : 0);
  } else {
    const std::string a = field.kind() == Value::Kind::kText ? Lower(field.AsText()) : "";
    const std::string b = Lower(c.literal.AsText());
    order = a < b ? -1 : (a > b ? 1 : 0);
  }
  switch (c.op) {
    case Op::kEq:
      return order == 0;
    case Op::kNe:
      return order != 0;
    case Op::kLt:
      return order < 0;
    case Op::kGt:
      return order > 0;
    case Op::kLe:
      return order <= 0;
    case Op::kGe:
      return order >= 0;
  }
  return false;
}

bool RecordsetFilter::Matches(const std::vector<Value>& row) const {
  if (terms_.empty()) return true;
  return std::any_of(terms_.begin(), terms_.end(), [&](const std::vector<Comparison>& all) {
    return std::all_of(all.begin(), all.end(),
                       [&](const Comparison& c) { return Holds(c, row[c.column]); });
  });
}

}  // namespace tipolaria
