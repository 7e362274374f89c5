#include "app/operation.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

using app::Message;
namespace msg = app::msg;

std::string payload(std::string_view text) { return nlohmann::json(std::string(text)).dump(); }
std::string with_nul(std::string_view command, std::string_view argument) {
  std::string text(command);
  text.push_back('\0');
  text.append(argument);
  return payload(text);
}

std::string error_of(const app::ParsedOperation& parsed) {
  auto* error = std::get_if<app::OperationError>(&parsed);
  return error ? error->message : "<no error>";
}

TEST(Operation, CommandsBecomeTheirMessages) {
  struct Case {
    std::uint8_t kind;
    std::string payload;
    Message expected;
  };
  const Case cases[] = {
      {1, payload("refresh"), msg::Refresh{}},
      {1, payload("discover"), msg::DiscoverPrinters{}},
      {1, payload("discover\0ignored"), msg::DiscoverPrinters{}},
      {2, payload("dashboard"), msg::ReturnToDashboard{}},
      {2, payload("queue"), msg::OpenQueue{}},
      {2, payload("history"), msg::OpenHistory{}},
      {2, payload("diagnostics"), msg::OpenDiagnostics{}},
      {2, payload("print"), msg::PrintDocument{}},
      {2, payload("scan"), msg::OpenScan{}},
      {2, with_nul("device", "Studio_printer"), msg::OpenPrinter{"Studio_printer"}},
      {2, with_nul("scan-device", "test:0"), msg::SelectScanner{"test:0"}},
      {1, with_nul("default", "Office"), msg::SetDefaultPrinter{"Office"}},
      {1, with_nul("pause", "Office"), msg::SetPrinterEnabled{"Office", false}},
      {1, with_nul("resume", "Office"), msg::SetPrinterEnabled{"Office", true}},
      {1, with_nul("cancel", "x"), msg::CancelJob{"x"}},
      {1, with_nul("retry", "Office-7"), msg::RetryJob{"Office-7"}},
      // Everything after the first NUL is the argument, further NULs included.
      {1, with_nul("cancel", std::string("a\0b", 3)), msg::CancelJob{std::string("a\0b", 3)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.payload);
    auto parsed = app::parse_operation(c.kind, "orvane.operation", c.payload);
    auto* message = std::get_if<Message>(&parsed);
    ASSERT_NE(message, nullptr) << error_of(parsed);
    EXPECT_EQ(*message, c.expected);
  }
}

TEST(Operation, RefusalsCarryTheirExactTexts) {
  struct Case {
    std::uint8_t kind;
    std::string payload;
    std::string error;
  };
  const Case cases[] = {
      {2, payload("refresh"), "Orvane operation has the wrong execution kind"},
      {1, payload("queue"), "Orvane operation has the wrong execution kind"},
      {2, payload("pause\0Office"), "Orvane operation has the wrong execution kind"},
      {2, payload("device"), "Orvane resource is no longer available"},
      {1, with_nul("cancel", ""), "Orvane resource is no longer available"},
      // Unknown commands are refused before the kind is compared.
      {1, payload("launch"), "unknown Orvane operation"},
      {7, payload("Refresh"), "unknown Orvane operation"},
      {1, payload(""), "unknown Orvane operation"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.payload);
    EXPECT_EQ(error_of(app::parse_operation(c.kind, "orvane.operation", c.payload)), c.error);
  }
}

TEST(Operation, PayloadsThatAreNotAJsonStringReportTheParsersReason) {
  for (std::string bad : {"42", "refresh", "\"unterminated", "{\"a\":1}", "", "null"}) {
    SCOPED_TRACE(bad);
    const auto error = error_of(app::parse_operation(1, "orvane.operation", bad));
    ASSERT_EQ(error.rfind("invalid Orvane operation: ", 0), 0u) << error;
    EXPECT_GT(error.size(), std::string("invalid Orvane operation: ").size());
  }
}

TEST(Operation, HugePayloadsAreJudgedLikeSmallOnes) {
  const std::string megabyte(1 << 20, 'x');
  EXPECT_EQ(error_of(app::parse_operation(1, "orvane.operation", payload(megabyte))),
            "unknown Orvane operation");
  auto parsed = app::parse_operation(1, "orvane.operation", with_nul("cancel", megabyte));
  ASSERT_TRUE(std::holds_alternative<Message>(parsed));
  EXPECT_EQ(std::get<Message>(parsed), Message{msg::CancelJob{megabyte}});
  const std::string deep(100000, '[');
  EXPECT_EQ(error_of(app::parse_operation(1, "orvane.operation", deep))
                .rfind("invalid Orvane operation: ", 0),
            0u);
}

TEST(Operation, OtherNamesAndKindZeroAreNotOurs) {
  for (auto name : {"orvane.operations", "orvane.operatio", "Orvane.operation", ""}) {
    EXPECT_TRUE(
        std::holds_alternative<app::NotMine>(app::parse_operation(1, name, payload("refresh"))));
  }
  EXPECT_TRUE(std::holds_alternative<app::NotMine>(
      app::parse_operation(0, "orvane.operation", payload("refresh"))));
}

}  // namespace
