// A name server for the lookup tests, on 127.0.0.1:53 inside the test's own
// network namespace: "never" reads queries and answers none; "answer"
// answers every PTR query with one name after a delay.
//
//   test-dns never
//   test-dns answer NAME DELAY_MS
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// Appends NAME as DNS labels.
void AppendName(std::vector<unsigned char>& out, const std::string& name) {
  std::size_t start = 0;
  while (start < name.size()) {
    std::size_t dot = name.find('.', start);
    if (dot == std::string::npos) dot = name.size();
    out.push_back(static_cast<unsigned char>(dot - start));
    out.insert(out.end(), name.begin() + static_cast<long>(start), name.begin() + static_cast<long>(dot));
    start = dot + 1;
  }
  out.push_back(0);
}

// The answer to a query: its header and question, one PTR record naming NAME.
std::vector<unsigned char> Answer(const unsigned char* query, std::size_t size, const std::string& name) {
  if (size < 12) return {};
  std::size_t end = 12;
  while (end < size && query[end] != 0) end += query[end] + 1u;
  end += 5;  // the root label, type and class
  if (end > size) return {};
  std::vector<unsigned char> reply(query, query + end);
  reply[2] = 0x81;  // response, recursion desired
  reply[3] = 0x80;  // recursion available, no error
  reply[6] = 0;
  reply[7] = 1;  // one answer
  reply[8] = reply[9] = reply[10] = reply[11] = 0;
  std::vector<unsigned char> rdata;
  AppendName(rdata, name);
  const unsigned char record[] = {0xC0, 12, 0, 12, 0, 1, 0, 0, 0, 60,
                                  static_cast<unsigned char>(rdata.size() >> 8),
                                  static_cast<unsigned char>(rdata.size() & 0xFF)};
  reply.insert(reply.end(), record, record + sizeof record);
  reply.insert(reply.end(), rdata.begin(), rdata.end());
  return reply;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const bool answer = std::strcmp(argv[1], "answer") == 0;
  const std::string name = answer && argc > 2 ? argv[2] : "";
  const int delayMs = answer && argc > 3 ? std::atoi(argv[3]) : 0;

  int sock = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(53);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (sock < 0 || bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    std::perror("test-dns: bind 127.0.0.1:53");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    unsigned char query[512];
    sockaddr_in from{};
    socklen_t fromSize = sizeof from;
    ssize_t got = recvfrom(sock, query, sizeof query, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got <= 0 || !answer) continue;
    std::vector<unsigned char> reply = Answer(query, static_cast<std::size_t>(got), name);
    std::thread([sock, reply, from, delayMs] {
      std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
      sendto(sock, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&from), sizeof from);
    }).detach();
  }
}
