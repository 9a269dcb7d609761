#pragma once
// Double-buffered storage of one message type: messages posted since the last swap wait in
// `incomingMessages`; the swap makes them the `currentMessages` that handlers read in the next
// pass. Both arrays keep their capacity, so steady posting allocates nothing.
#include <utility>
#include <vector>

namespace ECS {

class MessageListAbstract {
public:
    virtual ~MessageListAbstract() = default;
    // Drops the handled messages and makes the incoming ones current.
    virtual void swapBuffers() = 0;
};

template <class M>
class MessageList final : public MessageListAbstract {
public:
    void swapBuffers() override
    {
        currentMessages.clear();
        std::swap(currentMessages, incomingMessages);
    }

    const std::vector<M>& getMessages() const { return currentMessages; }
    void push(M message) { incomingMessages.push_back(std::move(message)); }

private:
    std::vector<M> incomingMessages;
    std::vector<M> currentMessages;
};

} // namespace ECS
