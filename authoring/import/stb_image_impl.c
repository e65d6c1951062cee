/* stb_image's implementation, compiled once with our configuration. */
#define STB_IMAGE_IMPLEMENTATION
#include "stb_image_config.h"
