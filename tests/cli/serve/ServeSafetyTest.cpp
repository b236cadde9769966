// What keeps the service safe to expose: which addresses count as loopback,
// the token file's checks, the bearer comparison, and log lines that stay
// one line whatever a client sends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "serve/AccessLog.hpp"
#include "serve/BearerToken.hpp"
#include "serve/ListenAddress.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria::serve {
namespace {

TEST(ServeSafetyTest, ListenAddressAndLoopback) {
  const ListenAddress v6 = ParseListenAddress("[::1]:8080");
  EXPECT_EQ(v6.host, "::1");
  EXPECT_EQ(v6.port, 8080);
  EXPECT_EQ(ParseListenAddress("0.0.0.0:0").port, 0);
  for (const char* bad : {"8080", ":8080", "127.0.0.1", "127.0.0.1:", "127.0.0.1:65536",
                          "127.0.0.1:80x", "::1:8080", "[::1:8080", "[]:80"}) {
    EXPECT_THROW(ParseListenAddress(bad), std::invalid_argument) << bad;
  }
  for (const char* loopback : {"127.0.0.1", "127.1.2.3", "::1", "::ffff:127.0.0.1", "localhost"}) {
    EXPECT_TRUE(IsLoopback(loopback)) << loopback;
  }
  for (const char* other : {"0.0.0.0", "::", "10.0.0.7", "128.0.0.1", "::ffff:10.0.0.1",
                            "printer.local", "127.0.0.1.nip.io"}) {
    EXPECT_FALSE(IsLoopback(other)) << other;
  }
}

TEST(ServeSafetyTest, TokenFileAndBearer) {
  const std::string folder = testing::MakeTempFolder();
  const std::string path = folder + "/token";
  const auto write = [&](const std::string& text, mode_t mode) {
    std::ofstream(path) << text;
    ::chmod(path.c_str(), mode);
  };
  const std::string token = "0123456789abcdef0123";
  write("  " + token + " \r\nsecond line\n", 0600);
  EXPECT_EQ(ReadTokenFile(path), token);
  write(token + "\n", 0644);  // every user of the machine could read it
  EXPECT_THROW(ReadTokenFile(path), std::runtime_error);
  write("short\n", 0600);
  EXPECT_THROW(ReadTokenFile(path), std::runtime_error);
  write("", 0600);
  EXPECT_THROW(ReadTokenFile(path), std::runtime_error);
  EXPECT_THROW(ReadTokenFile(folder + "/missing"), std::runtime_error);
  std::filesystem::remove_all(folder);

  EXPECT_TRUE(BearerMatches("Bearer " + token, token));
  EXPECT_TRUE(BearerMatches("bearer " + token, token));
  for (const std::string& wrong : std::vector<std::string>{
           std::string(), token, "Bearer", "Bearer " + token + "x", "Bearer " + token.substr(1),
           "Basic " + token, "Bearer  " + token, "Bearer " + token.substr(0, 19) + "4"}) {
    EXPECT_FALSE(BearerMatches(wrong, token)) << wrong;
  }
}

TEST(ServeSafetyTest, LogLineStaysOneLine) {
  std::ostringstream out;
  AccessLog log(out);
  AccessLog::Begin();
  AccessLog::NoteIddtext("X\n2026-12-05T00:00:00Z forged \"line\"");
  log.Write("10.0.0.7", "GET", "/v1/declarations/a\r\nb/cover.pdf", 404);
  const std::string line = out.str();
  EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
  EXPECT_NE(line.find(R"("GET /v1/declarations/a\x0D\x0Ab/cover.pdf" 404 )"), std::string::npos)
      << line;
  EXPECT_NE(line.find(R"(iddtext=X\x0A2026-12-05T00:00:00Z forged \x22line\x22)"),
            std::string::npos)
      << line;
  // The next request on the thread starts with no iddtext of its own.
  log.Write("10.0.0.7", "GET", "/", 200);
  EXPECT_EQ(out.str().find("iddtext", line.size()), std::string::npos);
}

}  // namespace
}  // namespace tipolaria::serve
