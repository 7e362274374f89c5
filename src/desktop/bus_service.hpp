#pragma once
// Orvane on the session bus: the desktop lists its resources, operates them,
// and drives the controls of the current view. Only the session bus; nothing
// listens on the network.

#include <QObject>
#include <QString>
#include <functional>

#include "ui/widget.hpp"

namespace desktop {

inline constexpr const char* kBusName = "org.orvane.PrintScan";
inline constexpr const char* kObjectPath = "/org/orvane/PrintScan";
inline constexpr const char* kInterface = "org.orvane.PrintScan";

class BusService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.orvane.PrintScan")

 public:
  // `root` is read on every call; `changed` tells the host that the tree may
  // have changed and must be updated and shown again.
  BusService(std::function<ui::Widget*()> root, std::function<void()> changed,
             QObject* parent = nullptr);

  // Claims the bus name and publishes the object. False when there is no
  // session bus or another instance owns the name.
  bool publish();

 public Q_SLOTS:
  // The resource tree as JSON.
  Q_SCRIPTABLE QString Resources();
  // "handled", "not-handled" or "failed"; `message` carries the failure.
  Q_SCRIPTABLE QString Operate(uchar kind, const QString& operation, const QString& payload,
                               QString& message);
  Q_SCRIPTABLE bool InvokeControl(const QString& id);
  Q_SCRIPTABLE bool SelectOption(const QString& id, uint index);

 private:
  std::function<ui::Widget*()> root_;
  std::function<void()> changed_;
};

// Resources as JSON (also used by tests and tooling).
std::string resources_json(const ui::Widget& root);

// Asks a running instance to perform a desktop action ("print-document",
// "scan-document"). False when no instance answers.
bool forward_action_to_running_instance(const QString& action);

// The operation payload of a desktop action, empty when unknown.
QString action_payload(const QString& action);

}  // namespace desktop
