// Finding printers that announce themselves over DNS-SD and adding them.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <future>

#include "devices/cups/connection.hpp"
#include "service_test.hpp"

namespace orvane_test {
namespace {

class Driverless : public ServiceTest {};

std::optional<devices::DiscoveredPrinter> announced(
    const std::vector<devices::DiscoveredPrinter>& found) {
  for (const auto& printer : found) {
    if (printer.name == fixture().value("ORVANE_FIXTURE_ANNOUNCED_NAME")) return printer;
  }
  return std::nullopt;
}

// What cupsd says the queue's model is (a raw queue would say "Local Raw
// Printer").
std::string make_and_model_of(const std::string& queue) {
  auto connection = devices::cups::Connection::open({});
  if (!connection) return connection.error();
  devices::cups::IppPtr request = devices::cups::new_request(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               devices::cups::printer_uri(queue).c_str());
  auto response = connection->send(std::move(request), "/");
  if (!response) return response.error();
  return devices::cups::text_of(
             ippFindAttribute(response->get(), "printer-make-and-model", IPP_TAG_ZERO))
      .value_or("");
}

// A TCP port where something accepts connections and never answers.
class SilentListener {
 public:
  SilentListener() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    listen(fd_, 8);
    socklen_t size = sizeof(address);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~SilentListener() { close(fd_); }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

TEST_F(Driverless, DiscoversTheAnnouncedPrinterAndAddsIt) {
  // avahi may need a moment after start before the announcement is seen.
  std::optional<devices::DiscoveredPrinter> found;
  ASSERT_TRUE(eventually(
      [&] {
        auto result = service_->discover_driverless();
        if (!result.ok()) return false;
        for (const auto& printer : result.value()) {
          EXPECT_NE(printer.name, "Studio_printer") << "the machine's own queues are not listed";
          EXPECT_NE(printer.name, "Office_laser");
          EXPECT_NE(printer.name, "Hallway_printer");
        }
        found = announced(result.value());
        return found.has_value();
      },
      std::chrono::seconds(15)))
      << "the announced printer was not found";
  EXPECT_EQ(found->location,
            std::optional<std::string>(fixture().value("ORVANE_FIXTURE_ANNOUNCED_LOCATION")));
  EXPECT_EQ(found->uri.rfind("ipp", 0), 0u) << found->uri;

  const auto first = service_->add_driverless(found->uri, found->name);
  ASSERT_TRUE(first.ok()) << first.error();
  const auto added = queue_named("Garden_Printer");
  EXPECT_TRUE(added.accepting_jobs);
  // A real driverless queue, not the raw queue CUPS leaves when it could not
  // reach the printer.
  EXPECT_EQ(make_and_model_of("Garden_Printer"), "Printer - IPP Everywhere");

  auto again = service_->discover_driverless();
  ASSERT_TRUE(again.ok()) << again.error();
  EXPECT_FALSE(announced(again.value()).has_value()) << "an added printer is no longer offered";

  // Adding it again updates the same queue rather than making a second one.
  const auto second = service_->add_driverless(found->uri, found->name);
  ASSERT_TRUE(second.ok()) << second.error();
  auto queues = service_->queues();
  ASSERT_TRUE(queues.ok());
  EXPECT_EQ(std::count_if(queues->begin(), queues->end(),
                          [](const auto& queue) { return queue.name.rfind("Garden", 0) == 0; }),
            1);
}

TEST_F(Driverless, AddressesThatAreNotDriverlessPrintersAddNothing) {
  SilentListener silent;
  const auto before = service_->queues();
  ASSERT_TRUE(before.ok());
  const std::string cups_port = fixture().value("ORVANE_FIXTURE_CUPS_PORT");
  const std::vector<std::string> addresses = {
      "ipp://127.0.0.1:1/ipp/print",                                      // nothing listens
      "ipp://127.0.0.1:" + std::to_string(silent.port()) + "/ipp/print",  // never answers
      "socket://127.0.0.1:9100",                                          // not IPP
      "http://127.0.0.1:" + cups_port + "/",                              // not IPP either
      "ipp://127.0.0.1:" + cups_port + "/nothing/here",  // an IPP server, but no printer
      "not an address",
      "",
  };
  for (const std::string& uri : addresses) {
    SCOPED_TRACE(uri);
    // Bounded: the printer check gives up after its timeout.
    auto attempt = std::async(std::launch::async,
                              [&] { return service_->add_driverless(uri, "Ghost printer"); });
    ASSERT_EQ(attempt.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_FALSE(attempt.get().ok());
    ASSERT_TRUE(fixture().alive("cupsd"));
  }
  auto queues = service_->queues();
  ASSERT_TRUE(queues.ok());
  EXPECT_EQ(queues->size(), before->size()) << "no queue was left behind";
}

}  // namespace
}  // namespace orvane_test
