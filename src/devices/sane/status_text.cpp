#include "devices/sane/status_text.hpp"

namespace devices::sane {

std::string status_text(SANE_Status status) {
  switch (status) {
    case SANE_STATUS_GOOD:
      return "The scan succeeded.";
    case SANE_STATUS_UNSUPPORTED:
      return "The scanner does not support this operation.";
    case SANE_STATUS_CANCELLED:
      return "The scan was canceled.";
    case SANE_STATUS_DEVICE_BUSY:
      return "The scanner is busy.";
    case SANE_STATUS_INVAL:
      return "The scanner refused a setting.";
    case SANE_STATUS_EOF:
      return "The scanner sent no image.";
    case SANE_STATUS_JAMMED:
      return "The document feeder is jammed.";
    case SANE_STATUS_NO_DOCS:
      return "There are no documents in the feeder.";
    case SANE_STATUS_COVER_OPEN:
      return "The scanner cover is open.";
    case SANE_STATUS_IO_ERROR:
      return "The scanner could not be read (input/output error).";
    case SANE_STATUS_NO_MEM:
      return "The scanner ran out of memory.";
    case SANE_STATUS_ACCESS_DENIED:
      return "Access to the scanner was denied.";
  }
  return "The scanner reported an unknown error (status " + std::to_string(status) + ").";
}

}  // namespace devices::sane
