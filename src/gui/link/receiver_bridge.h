#pragma once
// Brings the receive thread's notification onto the GUI thread: a page that registers as
// receiver of raw serial input passes Notifier() to RegisterReceiver and connects to
// received(), whose slot calls FetchReceived until it returns false. Unregister the
// receiver before the bridge is destroyed.
#include <QObject>
#include <functional>

namespace trivex {

class TReceiverBridge : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // Callable from any thread; queues received() to this object's thread.
  std::function<void()> Notifier() {
    return [this] { QMetaObject::invokeMethod(this, &TReceiverBridge::received, Qt::QueuedConnection); };
  }

 signals:
  void received();
};

}  // namespace trivex
