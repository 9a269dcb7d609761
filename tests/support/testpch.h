// The heavy third-party and standard headers that nearly every test file includes, compiled once
// per build as a precompiled header: parsing them was about half of each test file's compile time.
// Only headers from outside the project belong here, so that a change to the game rebuilds no more
// than before.
#include <GL/glew.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>
#include <btBulletDynamicsCommon.h>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
