#include "desktop/bus_service.hpp"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <nlohmann/json.hpp>

#include "ui/controls.hpp"

namespace desktop {
namespace {

nlohmann::json resource_json(const ui::Resource& resource) {
  nlohmann::json actions = nlohmann::json::array();
  for (const auto& a : resource.actions) {
    actions.push_back({{"id", a.id},
                       {"label", a.label},
                       {"execution_kind", a.execution_kind},
                       {"operation", a.operation},
                       {"payload", a.payload_json}});
  }
  nlohmann::json children = nlohmann::json::array();
  for (const auto& child : resource.children) children.push_back(resource_json(child));
  return {{"id", resource.id},
          {"kind", resource.kind},
          {"title", resource.title},
          {"actions", std::move(actions)},
          {"children", std::move(children)}};
}

}  // namespace

std::string resources_json(const ui::Widget& root) {
  nlohmann::json all = nlohmann::json::array();
  for (const auto& resource : root.resources()) all.push_back(resource_json(resource));
  return all.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

BusService::BusService(std::function<ui::Widget*()> root, std::function<void()> changed,
                       QObject* parent)
    : QObject(parent), root_(std::move(root)), changed_(std::move(changed)) {}

bool BusService::publish() {
  auto bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!bus.registerService(kBusName)) return false;
  return bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
}

QString BusService::Resources() {
  ui::Widget* root = root_();
  return root ? QString::fromStdString(resources_json(*root)) : QStringLiteral("[]");
}

QString BusService::Operate(uchar kind, const QString& operation, const QString& payload,
                            QString& message) {
  ui::Widget* root = root_();
  if (!root) return QStringLiteral("not-handled");
  const auto outcome =
      root->resource_operation(kind, operation.toStdString(), payload.toStdString());
  changed_();
  switch (outcome.status) {
    case ui::OperationOutcome::Status::Handled:
      return QStringLiteral("handled");
    case ui::OperationOutcome::Status::Failed:
      message = QString::fromStdString(outcome.message);
      return QStringLiteral("failed");
    case ui::OperationOutcome::Status::NotHandled:
      break;
  }
  return QStringLiteral("not-handled");
}

bool BusService::InvokeControl(const QString& id) {
  ui::Widget* root = root_();
  const bool found = root && ui::invoke(*root, id.toStdString());
  changed_();
  return found;
}

bool BusService::SelectOption(const QString& id, uint index) {
  ui::Widget* root = root_();
  const bool found = root && ui::select(*root, id.toStdString(), index);
  changed_();
  return found;
}

QString action_payload(const QString& action) {
  if (action == QLatin1String("print-document")) return QStringLiteral("\"print\"");
  if (action == QLatin1String("scan-document")) return QStringLiteral("\"scan\"");
  return {};
}

bool forward_action_to_running_instance(const QString& action) {
  auto bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kBusName)) return false;
  auto call = QDBusMessage::createMethodCall(kBusName, kObjectPath, kInterface, "Operate");
  call << QVariant::fromValue(uchar{2}) << QStringLiteral("orvane.operation")
       << action_payload(action);
  const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
  return reply.type() == QDBusMessage::ReplyMessage &&
         reply.arguments().value(0).toString() == QLatin1String("handled");
}

}  // namespace desktop
