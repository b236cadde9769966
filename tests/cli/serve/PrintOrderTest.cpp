// The print order a client sends: every field reaches the generation's
// arguments and settings, and every mistake is refused naming its field.
#include <gtest/gtest.h>

#include "serve/PrintOrder.hpp"

namespace tipolaria::serve {
namespace {

TEST(PrintOrderTest, EveryFieldReachesItsArgumentOrSetting) {
  const PrintOrder order = ReadPrintOrder(R"({
    "iddtext": "26001IC04000123A", "nombre_despachante": "O'BRIEN, JUAN", "idorig": "X1",
    "fecofi": "05/12/2026 10:42:17", "oper": 5, "canal": "2", "ramo": "R", "morado": "M",
    "org": "ADUANA", "eta": "E", "referencia_cliente": "PO-4471", "oper_date": "05/12/2026",
    "copias": 2, "desde": 2, "hasta": 32767, "pictures": false})");
  EXPECT_EQ(order.iddtext, "26001IC04000123A");
  const cli::GenerationOptions& g = order.generation;
  EXPECT_EQ(g.nombre_despachante, "O'BRIEN, JUAN");
  EXPECT_EQ(g.idorig, "X1");
  EXPECT_EQ(g.fecofi, "05/12/2026 10:42:17");
  EXPECT_EQ(g.oper, 5);
  EXPECT_EQ(g.canal + g.ramo + g.morado + g.org + g.eta, "2RMADUANAE");
  EXPECT_EQ(g.referencia_cliente, "PO-4471");
  EXPECT_EQ(g.oper_date, "05/12/2026");
  EXPECT_EQ(order.settings.copias, 2);
  EXPECT_EQ(order.settings.desde, 2);
  EXPECT_EQ(order.settings.hasta, 32767);
  EXPECT_FALSE(order.pictures);

  const PrintOrder least = ReadPrintOrder(R"({"iddtext": "A"})");
  EXPECT_EQ(least.generation.oper, 0);
  EXPECT_FALSE(least.generation.referencia_cliente || least.settings.copias ||
               least.settings.desde);
  EXPECT_TRUE(least.pictures);
}

TEST(PrintOrderTest, RefusesEachMistakeNamingItsField) {
  struct Case {
    const char* body;
    const char* field;
    const char* in_message;
  };
  const Case cases[] = {
      {"", "body", "not valid JSON"},
      {R"({"iddtext": "A",})", "body", "not valid JSON"},
      {"[1, 2]", "body", "must be a JSON object"},
      {R"("26001IC04000123A")", "body", "must be a JSON object"},
      {R"({"iddtext": "A", "extra": {"a": 1}})", "body", "flat JSON object"},
      {"{}", "iddtext", "iddtext is required"},
      {R"({"iddtext": "   "})", "iddtext", "iddtext is required"},
      {R"({"iddtext": 26001})", "iddtext", "must be a text"},
      {R"({"iddtext": "A", "colour": "red"})", "colour", "unknown field \"colour\""},
      {R"({"iddtext": "A", "Oper": 1})", "Oper", "unknown field"},
      {R"({"iddtext": "A", "": 1})", "body", "unknown field \"\""},
      {R"({"iddtext": "A", "iddtext": "B"})", "iddtext", "given twice"},
      {R"({"iddtext": "A", "oper": 3})", "oper", "(got 3)"},
      {R"({"iddtext": "A", "oper": "1"})", "oper", "oper must be 0"},
      {R"({"iddtext": "A", "oper": 1.5})", "oper", "oper must be 0"},
      {R"({"iddtext": "A", "copias": -1})", "copias", "from 0 to 32767 (got -1)"},
      {R"({"iddtext": "A", "copias": 32768})", "copias", "(got 32768)"},
      {R"({"iddtext": "A", "copias": 18446744073709551615})", "copias", "from 0 to 32767"},
      {R"({"iddtext": "A", "copias": 1e400})", "body", "not valid JSON"},
      {R"({"iddtext": "A", "desde": 0})", "desde", "from 1 to 32767"},
      {R"({"iddtext": "A", "hasta": true})", "hasta", "whole number"},
      {R"({"iddtext": "A", "desde": 5, "hasta": 2})", "hasta", "hasta (2) is before desde (5)"},
      {R"({"iddtext": "A", "pictures": 1})", "pictures", "true or false"},
      {R"({"iddtext": "A", "canal": null})", "canal", "must be a text"},
      {R"({"iddtext": "A\u0000B"})", "iddtext", "NUL"},
      {"{\"iddtext\": \"A\", \"referencia_cliente\": \"\xff\"}", "body", "not valid JSON"},
  };
  for (const Case& c : cases) {
    try {
      ReadPrintOrder(c.body);
      ADD_FAILURE() << c.body << ": accepted";
    } catch (const FieldError& e) {
      EXPECT_EQ(e.field(), c.field) << c.body;
      EXPECT_NE(std::string(e.what()).find(c.in_message), std::string::npos)
          << c.body << ": " << e.what();
    }
  }
  // Texts are limited in characters, not bytes.
  std::string enes;
  for (int i = 0; i < 255; ++i) enes += "\xC3\xB1";
  EXPECT_NO_THROW(ReadPrintOrder(R"({"iddtext": ")" + enes + "\"}"));
  EXPECT_THROW(ReadPrintOrder(R"({"iddtext": ")" + enes + "X\"}"), FieldError);
}

TEST(PrintOrderTest, QueryReadsNumbersFromTheirTexts) {
  const PrintOrder order =
      ReadPrintOrder("26001IC04000123A", {{"oper", {"1"}}, {"copias", {"2"}}, {"canal", {"2"}}});
  EXPECT_EQ(order.iddtext, "26001IC04000123A");
  EXPECT_EQ(order.generation.oper, 1);
  EXPECT_EQ(order.settings.copias, 2);
  EXPECT_EQ(order.generation.canal, "2");
  EXPECT_FALSE(order.pictures);

  const std::pair<std::map<std::string, QueryValue>, const char*> refused[] = {
      {{{"oper", {"1x"}}}, "oper"},           {{{"copias", {""}}}, "copias"},
      {{{"desde", {"99999"}}}, "desde"},      {{{"oper", {"1", 2}}}, "oper"},
      {{{"pictures", {"true"}}}, "pictures"}, {{{"iddtext", {"B"}}}, "iddtext"},
      {{{"token", {"x"}}}, "token"},
  };
  for (const auto& [query, field] : refused) {
    try {
      ReadPrintOrder("A", query);
      ADD_FAILURE() << field << ": accepted";
    } catch (const FieldError& e) {
      EXPECT_EQ(e.field(), field) << e.what();
    }
  }
}

}  // namespace
}  // namespace tipolaria::serve
