#include "serve/PrintOrder.hpp"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdint>
#include <limits>
#include <set>

namespace tipolaria::serve {
namespace {

using nlohmann::json;

// Codes and names of the customs database are at most this long; a longer
// text is a client's mistake, not a declaration.
constexpr std::size_t kMaxTextLength = 255;
constexpr std::int64_t kMaxPage = std::numeric_limits<std::int16_t>::max();

// The field an answer names: a nameless one ("") is the body's fault.
std::string Named(const std::string& name) { return name.empty() ? "body" : name; }

std::size_t CodePoints(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::string Text(const char* field, const json& value) {
  if (!value.is_string()) throw FieldError(field, std::string(field) + " must be a text");
  const auto& text = value.get_ref<const std::string&>();
  if (text.find('\0') != std::string::npos) {
    throw FieldError(field, std::string(field) + " must not contain a NUL character");
  }
  if (CodePoints(text) > kMaxTextLength) {
    throw FieldError(field, std::string(field) + " is longer than " +
                                std::to_string(kMaxTextLength) + " characters");
  }
  return text;
}

std::int16_t WholeNumber(const char* field, const json& value, std::int64_t min, std::int64_t max) {
  const std::string range = " from " + std::to_string(min) + " to " + std::to_string(max);
  if (!value.is_number_integer()) {
    throw FieldError(field, std::string(field) + " must be a whole number" + range);
  }
  // Whole numbers past the signed range arrive unsigned.
  const bool in_range = value.is_number_unsigned()
                            ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(max) &&
                                  static_cast<std::int64_t>(value.get<std::uint64_t>()) >= min
                            : value.get<std::int64_t>() >= min && value.get<std::int64_t>() <= max;
  if (!in_range) {
    throw FieldError(field,
                     std::string(field) + " must be" + range + " (got " + value.dump() + ")");
  }
  return static_cast<std::int16_t>(value.get<std::int64_t>());
}

std::int16_t Oper(const json& value) {
  constexpr const char* kKinds =
      "oper must be 0 (provisional), 1 (official), 4 (reprint) or 5 "
      "(post-shipment)";
  if (!value.is_number_integer()) throw FieldError("oper", kKinds);
  const std::int16_t oper = WholeNumber("oper", value, 0, 5);
  if (oper != 0 && oper != 1 && oper != 4 && oper != 5) {
    throw FieldError("oper", std::string(kKinds) + " (got " + value.dump() + ")");
  }
  return oper;
}

// Every field a client may send, and where it goes.
using Setter = void (*)(PrintOrder&, const json&);
struct Field {
  const char* name;
  Setter set;
};
constexpr Field kFields[] = {
    {"iddtext", [](PrintOrder& o, const json& v) { o.iddtext = Text("iddtext", v); }},
    {"nombre_despachante",
     [](PrintOrder& o, const json& v) {
       o.generation.nombre_despachante = Text("nombre_despachante", v);
     }},
    {"idorig", [](PrintOrder& o, const json& v) { o.generation.idorig = Text("idorig", v); }},
    {"fecofi", [](PrintOrder& o, const json& v) { o.generation.fecofi = Text("fecofi", v); }},
    {"oper", [](PrintOrder& o, const json& v) { o.generation.oper = Oper(v); }},
    {"canal", [](PrintOrder& o, const json& v) { o.generation.canal = Text("canal", v); }},
    {"ramo", [](PrintOrder& o, const json& v) { o.generation.ramo = Text("ramo", v); }},
    {"morado", [](PrintOrder& o, const json& v) { o.generation.morado = Text("morado", v); }},
    {"org", [](PrintOrder& o, const json& v) { o.generation.org = Text("org", v); }},
    {"eta", [](PrintOrder& o, const json& v) { o.generation.eta = Text("eta", v); }},
    {"referencia_cliente",
     [](PrintOrder& o, const json& v) {
       o.generation.referencia_cliente = Text("referencia_cliente", v);
     }},
    // The date's own check is the session's (SetOperDate), the one place
    // that knows which days exist.
    {"oper_date",
     [](PrintOrder& o, const json& v) { o.generation.oper_date = Text("oper_date", v); }},
    // Copy 0 prints as copy 1, as in the component.
    {"copias", [](PrintOrder& o,
                  const json& v) { o.settings.copias = WholeNumber("copias", v, 0, kMaxPage); }},
    {"desde",
     [](PrintOrder& o, const json& v) { o.settings.desde = WholeNumber("desde", v, 1, kMaxPage); }},
    {"hasta",
     [](PrintOrder& o, const json& v) { o.settings.hasta = WholeNumber("hasta", v, 1, kMaxPage); }},
    {"pictures",
     [](PrintOrder& o, const json& v) {
       if (!v.is_boolean()) throw FieldError("pictures", "pictures must be true or false");
       o.pictures = v.get<bool>();
     }},
};

const Field* FindField(const std::string& name) {
  for (const Field& field : kFields) {
    if (name == field.name) return &field;
  }
  return nullptr;
}

std::string KnownFields(bool with_pictures) {
  std::string names;
  for (const Field& field : kFields) {
    if (!with_pictures && std::string_view(field.name) == "pictures") continue;
    names += names.empty() ? "" : ", ";
    names += field.name;
  }
  return names;
}

PrintOrder FromObject(const json& object, bool with_pictures) {
  PrintOrder order;
  for (const auto& [name, value] : object.items()) {
    const Field* field = FindField(name);
    if (field == nullptr || (!with_pictures && name == "pictures")) {
      throw FieldError(Named(name), "unknown field \"" + name + "\"; the fields are " +
                                        KnownFields(with_pictures));
    }
    field->set(order, value);
  }
  if (order.iddtext.find_first_not_of(' ') == std::string::npos) {
    throw FieldError("iddtext", "iddtext is required: the declaration to print (DDT.iddtext)");
  }
  if (order.settings.desde && order.settings.hasta &&
      *order.settings.hasta < *order.settings.desde) {
    throw FieldError("hasta", "hasta (" + std::to_string(*order.settings.hasta) +
                                  ") is before desde (" + std::to_string(*order.settings.desde) +
                                  ")");
  }
  return order;
}

// A query value as the JSON value its field takes: numbers are read from
// their decimal text, so that "1x" or "" is refused as a body's "1x" is.
json QueryJson(const std::string& name, const std::string& text) {
  const Field* field = FindField(name);
  if (field == nullptr || name == "iddtext" || name == "pictures") return text;
  if (name != "oper" && name != "copias" && name != "desde" && name != "hasta") return text;
  std::int64_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end) return text;
  return number;
}

}  // namespace

PrintOrder ReadPrintOrder(std::string_view body) {
  std::set<std::string> names;
  // Only a flat object is a print order: deeper nesting is refused while it
  // is read, so that no hostile body is ever built up in memory.
  const json::parser_callback_t check = [&names](int depth, json::parse_event_t event,
                                                 json& parsed) {
    if (depth > 1) throw FieldError("body", "the body must be a flat JSON object of fields");
    if (event == json::parse_event_t::key && depth == 1) {
      const std::string& name = parsed.get_ref<const std::string&>();
      if (!names.insert(name).second) throw FieldError(Named(name), name + " is given twice");
    }
    return true;
  };
  json object;
  try {
    object = json::parse(body, check);
  } catch (const json::exception& e) {
    throw FieldError("body", std::string("the body is not valid JSON: ") + e.what());
  }
  if (!object.is_object()) {
    throw FieldError("body", "the body must be a JSON object, such as {\"iddtext\": \"...\"}");
  }
  return FromObject(object, /*with_pictures=*/true);
}

PrintOrder ReadPrintOrder(const std::string& iddtext,
                          const std::map<std::string, QueryValue>& query) {
  json object = json::object();
  object["iddtext"] = iddtext;
  for (const auto& [name, value] : query) {
    if (name == "iddtext") throw FieldError(name, "the iddtext is the path's, not the query's");
    if (value.count > 1) throw FieldError(Named(name), name + " is given twice");
    object[name] = QueryJson(name, value.value);
  }
  PrintOrder order = FromObject(object, /*with_pictures=*/false);
  order.pictures = false;  // the answer is the document alone
  return order;
}

}  // namespace tipolaria::serve
