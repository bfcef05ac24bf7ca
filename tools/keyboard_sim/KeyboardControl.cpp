// The control connection to the keyboard simulator, over a local TCP socket.
#include "tools/keyboard_sim/KeyboardControl.h"
#include <cstdlib>
#include <sstream>

KeyboardControl::KeyboardControl()
{
    const char* port = std::getenv("RZ_KEYBOARD_CONTROL");
    if (!port || !*port)
        return;
    WSADATA data;
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(static_cast<u_short>(std::atoi(port)));
    address.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::closesocket(s);
        return;
    }
    socket_ = s;
}

KeyboardControl::~KeyboardControl()
{
    if (Connected())
        ::closesocket(socket_);
    ::WSACleanup();
}

std::string KeyboardControl::Send(const std::string& command)
{
    if (!Connected())
        return "error no connection";
    const std::string line = command + "\n";
    if (::send(socket_, line.data(), static_cast<int>(line.size()), 0) != static_cast<int>(line.size()))
        return "error send failed";
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string answer = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return answer;
        }
        char buffer[4096];
        const int got = ::recv(socket_, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return "error connection lost";
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

bool KeyboardControl::Do(const std::string& command)
{
    return Send(command).compare(0, 2, "ok") == 0;
}

std::vector<std::string> KeyboardControl::Log()
{
    std::istringstream answer(Send("log?"));
    std::vector<std::string> events;
    std::string word;
    answer >> word; // "ok"
    while (answer >> word)
        events.push_back(word);
    return events;
}

std::vector<BYTE> KeyboardControl::LastImage()
{
    const std::string answer = Send("image?");
    std::vector<BYTE> image;
    if (answer.compare(0, 3, "ok ") != 0 || answer == "ok none")
        return image;
    for (size_t i = 3; i + 1 < answer.size(); i += 2)
        image.push_back(static_cast<BYTE>(std::strtoul(answer.substr(i, 2).c_str(), nullptr, 16)));
    return image;
}

double KeyboardControl::ImageMilliseconds()
{
    const std::string answer = Send("timing?");
    if (answer.compare(0, 3, "ok ") != 0 || answer == "ok none")
        return -1;
    return std::atof(answer.c_str() + 3);
}
