#pragma once
// Capturing one page: "Scan page" starts the capture worker, which asks the
// service for the page, decodes it, recognizes its text and reports back
// with ScanFinished; the page then joins the document.

#include "app/state.hpp"
#include "devices/service.hpp"
#include "scan/scan_request.hpp"

namespace scan {

// The capture without the message: the page, or the error text.
platform::Result<app::ScannedPage> capture_page(const ScanRequest& request,
                                                devices::PrintScanService& service);

// The worker "qiro-scan-document": captures and sends ScanFinished.
void scan_worker(const ScanRequest& request, devices::PrintScanService& service);

// StartScan: ignored without a selected scanner; otherwise marks the scan as
// running, rebuilds and starts the worker.
void start_scan(app::State& state);

// ScanFinished: the page joins the document and is put under review, or the
// failure becomes a notice.
void scan_finished(app::State& state, app::msg::ScanFinished& message);

}  // namespace scan
