#include "devices/cups/queue_name.hpp"

#include <gtest/gtest.h>

#include "devices/records.hpp"

namespace devices::cups {
namespace {

TEST(QueueName, FromAdvertisedNames) {
  const struct {
    std::string advertised;
    std::string queue;
  } cases[] = {
      {"Studio printer", "Studio_printer"},
      {"  Office   laser #2 ", "Office_laser_2"},
      {"HP LaserJet/Pro@home", "HP_LaserJet_Pro_home"},
      {"Büro-Drucker", "Büro-Drucker"},
      {"__", "Printer"},
      {"", "Printer"},
      {"it's \"quoted\"?", "it_s_quoted"},
  };
  for (const auto& c : cases) {
    const std::string queue = queue_name_for(c.advertised);
    EXPECT_EQ(queue, c.queue) << c.advertised;
    EXPECT_TRUE(is_valid_queue_name(queue));
  }
  // The queue reads back as the advertised name.
  EXPECT_EQ(display_name(queue_name_for("Studio printer")), "Studio printer");
}

TEST(QueueName, LongNamesAreCutOnACharacterBoundary) {
  std::string advertised;
  for (int i = 0; i < 100; ++i) advertised += "é";  // two bytes each
  const std::string queue = queue_name_for(advertised);
  EXPECT_LE(queue.size(), 127u);
  EXPECT_EQ(queue.size() % 2, 0u) << "no half character";
  EXPECT_TRUE(is_valid_queue_name(queue));
}

TEST(QueueName, Validity) {
  EXPECT_TRUE(is_valid_queue_name("Studio_printer"));
  EXPECT_TRUE(is_valid_queue_name(std::string(127, 'a')));
  const std::vector<std::string> bad_names = {
      "", "two words", "a/b", "a\\b", "a?b", "a#b", "a@b", "tab\tname", std::string(128, 'a')};
  for (const std::string& bad : bad_names) {
    EXPECT_FALSE(is_valid_queue_name(bad)) << bad;
  }
}

TEST(JobId, RoundTripsAndRejectsOtherTexts) {
  EXPECT_EQ(job_id("Studio_printer", 42), "Studio_printer-42");
  EXPECT_EQ(job_number("Studio_printer-42"), 42);
  EXPECT_EQ(job_number("office-laser-2-7"), 7);
  for (const std::string bad : {"", "42", "-42", "Studio_printer-", "Studio_printer-x",
                                "Studio_printer-0", "a b-3", "Studio_printer-99999999999"}) {
    EXPECT_EQ(job_number(bad), std::nullopt) << bad;
  }
}

TEST(PrinterUri, LastSegmentDecoded) {
  EXPECT_EQ(queue_of_printer_uri("ipp://localhost/printers/Studio_printer"), "Studio_printer");
  EXPECT_EQ(queue_of_printer_uri("ipp://localhost:631/classes/All%20printers"), "All printers");
  EXPECT_EQ(queue_of_printer_uri("ipp://localhost/printers/bad%zz"), "bad%zz");
  EXPECT_EQ(queue_of_printer_uri(""), "");
}

}  // namespace
}  // namespace devices::cups
