#pragma once
// The printer and queue views: pure builders from parts of the state and the
// message sender to a new widget tree. They read nothing else and keep
// nothing; a button's action sends its own copy of its message.
//
//   loading_view()                                   loading.hpp
//   first_printer_view(sender)                       first_printer.hpp
//   dashboard_view(snapshot, notice, sender)         dashboard.hpp
//     printer_card(printer, sender)
//   queue_view(snapshot, cancel_candidate, notice, sender)
//                                                    print_queue.hpp
//   printer_controls_view(printer, sender)           printer_controls.hpp
//   history_view(snapshot, sender)                   print_history.hpp
//   add_printer_view(discovery result or searching, sender)
//                                                    add_printer.hpp
//   diagnostics_view(snapshot, sender)               diagnostics.hpp
//
// Shared with the print and scan views:
//   failed_categories, service_failure_card          service_failure.hpp
//   condition_advice, condition_lines, supply_level_row, lowest_supply_level
//                                                    condition_guidance.hpp
//   heading_text, body_text, supporting_text, gap, primary_button,
//   secondary_button, plain_button, control_button, icon, titled_card,
//   plain_card, dashboard_card, progress bars, page_preview, page_header,
//   header_row, page_frame, notice_banner            blocks.hpp
//   DashboardCard                                    dashboard_card.hpp

#include "views/add_printer.hpp"
#include "views/blocks.hpp"
#include "views/condition_guidance.hpp"
#include "views/dashboard.hpp"
#include "views/dashboard_card.hpp"
#include "views/diagnostics.hpp"
#include "views/first_printer.hpp"
#include "views/loading.hpp"
#include "views/print_history.hpp"
#include "views/print_queue.hpp"
#include "views/printer_controls.hpp"
#include "views/service_failure.hpp"
