#pragma once
// Every change of the application state is one of these messages, applied
// by the dispatcher on the UI thread. The index in the variant is the
// kind's number.

#include <optional>
#include <string>
#include <variant>

#include "app/notice.hpp"
#include "app/scanned_page.hpp"
#include "devices/records.hpp"
#include "platform/channel.hpp"
#include "platform/result.hpp"

namespace app {

// What a finished recognition found on a page.
struct RecognitionText {
  std::optional<std::string> recognized_text;
  std::string status_text;
  friend bool operator==(const RecognitionText&, const RecognitionText&) = default;
};

namespace msg {

struct Refresh {
  friend bool operator==(const Refresh&, const Refresh&) = default;
};
struct ReturnToDashboard {
  friend bool operator==(const ReturnToDashboard&, const ReturnToDashboard&) = default;
};
struct OpenQueue {
  friend bool operator==(const OpenQueue&, const OpenQueue&) = default;
};
struct OpenHistory {
  friend bool operator==(const OpenHistory&, const OpenHistory&) = default;
};
struct OpenDiagnostics {
  friend bool operator==(const OpenDiagnostics&, const OpenDiagnostics&) = default;
};
struct DiscoverPrinters {
  friend bool operator==(const DiscoverPrinters&, const DiscoverPrinters&) = default;
};
struct DiscoveryFinished {
  devices::ListResult<devices::DiscoveredPrinter> result;
  friend bool operator==(const DiscoveryFinished&, const DiscoveryFinished&) = default;
};
struct AddPrinter {
  devices::DiscoveredPrinter printer;
  friend bool operator==(const AddPrinter&, const AddPrinter&) = default;
};
struct OpenPrinter {
  std::string queue;
  friend bool operator==(const OpenPrinter&, const OpenPrinter&) = default;
};
struct SetDefaultPrinter {
  std::string queue;
  friend bool operator==(const SetDefaultPrinter&, const SetDefaultPrinter&) = default;
};
struct SetPrinterEnabled {
  std::string queue;
  bool enabled = false;
  friend bool operator==(const SetPrinterEnabled&, const SetPrinterEnabled&) = default;
};
struct AskCancelJob {
  std::string job_id;
  friend bool operator==(const AskCancelJob&, const AskCancelJob&) = default;
};
struct CancelJob {
  std::string job_id;
  friend bool operator==(const CancelJob&, const CancelJob&) = default;
};
struct RetryJob {
  std::string job_id;
  friend bool operator==(const RetryJob&, const RetryJob&) = default;
};
struct OperationFinished {
  Notice notice;
  friend bool operator==(const OperationFinished&, const OperationFinished&) = default;
};
struct PrintDocument {
  friend bool operator==(const PrintDocument&, const PrintDocument&) = default;
};
struct ChoosePrinter {
  std::string queue;
  friend bool operator==(const ChoosePrinter&, const ChoosePrinter&) = default;
};
struct SubmitPrint {
  friend bool operator==(const SubmitPrint&, const SubmitPrint&) = default;
};
struct CancelPrint {
  friend bool operator==(const CancelPrint&, const CancelPrint&) = default;
};
struct OpenScan {
  friend bool operator==(const OpenScan&, const OpenScan&) = default;
};
struct SelectScanner {
  std::string scanner_id;
  friend bool operator==(const SelectScanner&, const SelectScanner&) = default;
};
struct StartScan {
  friend bool operator==(const StartScan&, const StartScan&) = default;
};
struct ScanFinished {
  platform::Result<ScannedPage> outcome;
  friend bool operator==(const ScanFinished&, const ScanFinished&) = default;
};
struct SaveScannedPage {
  friend bool operator==(const SaveScannedPage&, const SaveScannedPage&) = default;
};
struct SaveScannedDocument {
  friend bool operator==(const SaveScannedDocument&, const SaveScannedDocument&) = default;
};
struct CopyRecognizedText {
  friend bool operator==(const CopyRecognizedText&, const CopyRecognizedText&) = default;
};
struct ScanAnotherPage {
  friend bool operator==(const ScanAnotherPage&, const ScanAnotherPage&) = default;
};
struct PreviousPage {
  friend bool operator==(const PreviousPage&, const PreviousPage&) = default;
};
struct NextPage {
  friend bool operator==(const NextPage&, const NextPage&) = default;
};
struct MovePageEarlier {
  friend bool operator==(const MovePageEarlier&, const MovePageEarlier&) = default;
};
struct MovePageLater {
  friend bool operator==(const MovePageLater&, const MovePageLater&) = default;
};
struct DeletePage {
  friend bool operator==(const DeletePage&, const DeletePage&) = default;
};
struct RotatePage {
  friend bool operator==(const RotatePage&, const RotatePage&) = default;
};
struct ApplyCrop {
  friend bool operator==(const ApplyCrop&, const ApplyCrop&) = default;
};
struct RecognizePage {
  friend bool operator==(const RecognizePage&, const RecognizePage&) = default;
};
struct RecognitionFinished {
  SharedBytes page;                           // the page's encoded_image handle
  platform::Result<RecognitionText> outcome;  // error: the failure text
  friend bool operator==(const RecognitionFinished&, const RecognitionFinished&) = default;
};
}  // namespace msg

using Message = std::variant<
    msg::Refresh, msg::ReturnToDashboard, msg::OpenQueue, msg::OpenHistory, msg::OpenDiagnostics,
    msg::DiscoverPrinters, msg::DiscoveryFinished, msg::AddPrinter, msg::OpenPrinter,
    msg::SetDefaultPrinter, msg::SetPrinterEnabled, msg::AskCancelJob, msg::CancelJob,
    msg::RetryJob, msg::OperationFinished, msg::PrintDocument, msg::ChoosePrinter, msg::SubmitPrint,
    msg::CancelPrint, msg::OpenScan, msg::SelectScanner, msg::StartScan, msg::ScanFinished,
    msg::SaveScannedPage, msg::SaveScannedDocument, msg::CopyRecognizedText, msg::ScanAnotherPage,
    msg::PreviousPage, msg::NextPage, msg::MovePageEarlier, msg::MovePageLater, msg::DeletePage,
    msg::RotatePage, msg::ApplyCrop, msg::RecognizePage, msg::RecognitionFinished>;

using MessageSender = platform::Sender<Message>;
using MessageReceiver = platform::Receiver<Message>;

// The kind's name, e.g. "SetPrinterEnabled", for logs and test failures.
const char* message_kind_name(const Message& message);

}  // namespace app
