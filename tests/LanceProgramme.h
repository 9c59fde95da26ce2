#pragma once
// Runs a program as a user would, with a fixed environment, and gathers what it writes.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct Execution {
    int Statut = -1; // exit status; -1 when killed by a signal
    std::string Sortie, Erreurs;
};

// Runs `programme` with `arguments`, standard input empty. Standard error goes to a
// pseudo-terminal when `erreursSurTerminal`, to a pipe otherwise. The locale is C and the
// time zone UTC whatever the test's own environment.
inline Execution Lance(const std::string& programme, const std::vector<std::string>& arguments,
                       bool erreursSurTerminal = false) {
    int sortie[2], erreurs[2];
    if (::pipe2(sortie, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    if (erreursSurTerminal) {
        erreurs[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (erreurs[0] < 0 || ::grantpt(erreurs[0]) != 0 || ::unlockpt(erreurs[0]) != 0)
            throw std::runtime_error("posix_openpt");
        erreurs[1] = ::open(::ptsname(erreurs[0]), O_RDWR | O_NOCTTY | O_CLOEXEC);
    } else if (::pipe2(erreurs, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, sortie[1], 1);
    posix_spawn_file_actions_adddup2(&actions, erreurs[1], 2);
    std::vector<char*> argv{const_cast<char*>(programme.c_str())};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    char* envp[] = {const_cast<char*>("LC_ALL=C"), const_cast<char*>("TZ=UTC"), nullptr};
    pid_t pid;
    const int echec = ::posix_spawn(&pid, programme.c_str(), &actions, nullptr, argv.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    ::close(sortie[1]);
    ::close(erreurs[1]);
    if (echec != 0)
        throw std::runtime_error("posix_spawn " + programme);

    // Both read together, so that neither pipe can fill up and block the program.
    Execution execution;
    pollfd attentes[2] = {{sortie[0], POLLIN, 0}, {erreurs[0], POLLIN, 0}};
    std::string* cibles[2] = {&execution.Sortie, &execution.Erreurs};
    int ouverts = 2;
    while (ouverts > 0) {
        if (::poll(attentes, 2, -1) < 0 && errno != EINTR)
            throw std::runtime_error("poll");
        for (int k = 0; k < 2; ++k) {
            if (attentes[k].fd < 0 || attentes[k].revents == 0)
                continue;
            char tampon[65536];
            const ssize_t lu = ::read(attentes[k].fd, tampon, sizeof tampon);
            if (lu > 0) {
                cibles[k]->append(tampon, static_cast<std::size_t>(lu));
                continue;
            }
            ::close(attentes[k].fd); // end of a pipe, or EIO once the terminal's side is shut
            attentes[k].fd = -1;
            --ouverts;
        }
    }
    int etat = 0;
    ::waitpid(pid, &etat, 0);
    execution.Statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    return execution;
}
