#include "devices/cups/printer_probe.hpp"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <memory>

#include "devices/cups/connection.hpp"
#include "devices/cups/ipp_message.hpp"

namespace devices::cups {
namespace {

int give_up(http_t*, void*) { return 0; }

struct DestFree {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct HttpClose {
  void operator()(http_t* http) const { httpClose(http); }
};

bool driverless_format(const std::string& format) {
  static constexpr std::array<const char*, 3> kFormats = {"application/pdf", "image/pwg-raster",
                                                          "image/urf"};
  return std::any_of(kFormats.begin(), kFormats.end(),
                     [&](const char* known) { return format == known; });
}

}  // namespace

platform::Result<PrinterFacts> probe_printer(const std::string& uri,
                                             std::chrono::milliseconds timeout) {
  char scheme[32];
  char userpass[256];
  char host[256];
  char resource[1024];
  int port = 0;
  if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), scheme, sizeof(scheme), userpass,
                      sizeof(userpass), host, sizeof(host), &port, resource,
                      sizeof(resource)) < HTTP_URI_STATUS_OK) {
    return platform::err("Not a printer address: " + uri);
  }
  const std::string kind = scheme;
  if (kind != "ipp" && kind != "ipps") {
    return platform::err("Only IPP printers can be added without a driver: " + uri);
  }

  std::unique_ptr<cups_dest_t, DestFree> dest(cupsGetDestWithURI(nullptr, uri.c_str()));
  if (!dest) return platform::err("Not a printer address: " + uri);

  int cancel = 0;
  char path[1024] = "";
  std::unique_ptr<http_t, HttpClose> http(
      cupsConnectDest(dest.get(), CUPS_DEST_FLAGS_DEVICE, static_cast<int>(timeout.count()),
                      &cancel, path, sizeof(path), nullptr, nullptr));
  if (!http) return platform::err("The printer does not answer: " + last_error_text());
  httpSetTimeout(http.get(), static_cast<double>(timeout.count()) / 1000.0, give_up, nullptr);

  // Address the printer as it was reached: a DNS-SD service name is not a
  // URI the printer knows itself by.
  char reached[HTTP_MAX_URI];
  char reached_host[256];
  httpGetHostname(http.get(), reached_host, sizeof(reached_host));
  httpAssembleURI(HTTP_URI_CODING_ALL, reached, sizeof(reached), scheme, nullptr, reached_host,
                  httpAddrPort(httpGetAddress(http.get())), path[0] ? path : "/ipp/print");

  IppPtr request = new_request(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, reached);
  add_requested_attributes(request.get(), {"printer-make-and-model", "document-format-supported"});
  IppPtr response(cupsDoRequest(http.get(), request.release(), path[0] ? path : "/ipp/print"));
  if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) {
    return platform::err("The address does not answer as an IPP printer: " + last_error_text());
  }
  const auto formats =
      texts_of(ippFindAttribute(response.get(), "document-format-supported", IPP_TAG_MIMETYPE));
  if (std::none_of(formats.begin(), formats.end(), driverless_format)) {
    return platform::err("The printer does not support driverless printing");
  }
  PrinterFacts facts;
  facts.make_and_model =
      text_of(ippFindAttribute(response.get(), "printer-make-and-model", IPP_TAG_ZERO))
          .value_or("");
  return facts;
}

}  // namespace devices::cups
