#pragma once

#include <fstream>
#include <map>
#include <optional>
#include <string>

// The connection text of the private PostgreSQL server described in a state file that
// scripts/test-database wrote, or the reason why there is no server.
inline std::optional<std::string> postgresConnection(const std::string& stateFile, std::string& whyNot) {
    std::map<std::string, std::string> state;
    std::ifstream in(stateFile);
    std::string line;
    while (std::getline(in, line)) {
        size_t equals = line.find('=');
        if (equals != std::string::npos) {
            state[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    if (state.count("error")) {
        whyNot = "the private PostgreSQL server did not start: " + state["error"];
        return std::nullopt;
    }
    if (!state.count("socket")) {
        whyNot = "no private PostgreSQL server described in " + stateFile;
        return std::nullopt;
    }
    // BoolsAsChar=0: psqlODBC reports a boolean as a bit rather than as a text.
    return "Driver=PostgreSQL Unicode;Servername=" + state["socket"] + ";Port=" + state["port"] +
           ";Database=" + state["database"] + ";Username=" + state["user"] + ";BoolsAsChar=0;";
}
