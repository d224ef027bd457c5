#pragma once
// A fixture base that gives each test suite its own Qt application object on
// the offscreen platform (Qt allows one at a time, and other suites of this
// program create theirs), and a bound on an event loop under test.
#include <chrono>
#include <cstdlib>
#include <memory>

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

template <class Aplicacao>
class ComAplicacaoQt : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        aplicacao_ = std::make_unique<Aplicacao>(argc_, argv_);
    }
    static void TearDownTestSuite() { aplicacao_.reset(); }

private:
    static inline int argc_ = 1;
    static inline char nome_[] = "testes_app";
    static inline char* argv_[] = {nome_, nullptr};
    static inline std::unique_ptr<Aplicacao> aplicacao_;
};

// Ends the running event loop with code 1 after a minute. Only a broken
// test reaches it: it turns a loop that would never end into a failure.
class LimiteDoLaco {
public:
    LimiteDoLaco()
    {
        limite_.setSingleShot(true);
        QObject::connect(&limite_, &QTimer::timeout, &limite_, [] { QCoreApplication::exit(1); });
        limite_.start(std::chrono::minutes(1));
    }

private:
    QTimer limite_;
};
