#pragma once
// Base of message handlers: one handler class per message type `M` (with a compile-time
// `_mType`, unique among the message types in use). Like component systems, each concrete handler declares
// `static constexpr const char* systemName`.
#include "engine/core/assert.h"
#include "engine/ecs/ecstypes.h"
#include "engine/ecs/messagelist.h"

#include <typeinfo>
#include <vector>

namespace ECS {

class MessageSystemAbstract {
public:
    virtual ~MessageSystemAbstract() = default;
    MessageType getMessageType() const { return messageType; }
    // Hands the current messages of `list`, which must hold this handler's type, to the handler.
    virtual void processList(const MessageListAbstract& list) = 0;

protected:
    explicit MessageSystemAbstract(MessageType messageType) : messageType(messageType) {}

    MessageType messageType;
};

template <class M>
class MessageSystem : public MessageSystemAbstract {
public:
    // Calls onMessage for each message in posting order.
    virtual void processMessages(const std::vector<M>& messages)
    {
        for (std::size_t i = 0; i < messages.size(); ++i)
            onMessage(messages[i]);
    }

    virtual void onMessage(const M& message) = 0;

    void processList(const MessageListAbstract& list) final
    {
        TX_ASSERT(typeid(list) == typeid(MessageList<M>), "message list holds another message type");
        processMessages(static_cast<const MessageList<M>&>(list).getMessages());
    }

protected:
    MessageSystem() : MessageSystemAbstract(M::_mType) {}
};

} // namespace ECS
