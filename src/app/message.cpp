#include "app/message.hpp"

#include <array>

namespace app {

const char* message_kind_name(const Message& message) {
  static constexpr std::array<const char*, std::variant_size_v<Message>> kNames{
      "Refresh",
      "ReturnToDashboard",
      "OpenQueue",
      "OpenHistory",
      "OpenDiagnostics",
      "DiscoverPrinters",
      "DiscoveryFinished",
      "AddPrinter",
      "OpenPrinter",
      "SetDefaultPrinter",
      "SetPrinterEnabled",
      "AskCancelJob",
      "CancelJob",
      "RetryJob",
      "OperationFinished",
      "PrintDocument",
      "ChoosePrinter",
      "SubmitPrint",
      "CancelPrint",
      "OpenScan",
      "SelectScanner",
      "StartScan",
      "ScanFinished",
      "SaveScannedPage",
      "SaveScannedDocument",
      "CopyRecognizedText",
      "ScanAnotherPage",
      "PreviousPage",
      "NextPage",
      "MovePageEarlier",
      "MovePageLater",
      "DeletePage",
      "RotatePage",
      "ApplyCrop",
      "RecognizePage",
      "RecognitionFinished",
  };
  return kNames[message.index()];
}

}  // namespace app
