#version 330 core
// UI rectangles and sprites: texture times the background colour, premultiplied for
// (ONE, ONE_MINUS_SRC_ALPHA) blending.

in vec4 vColor;
in vec2 vTexCoord;

uniform vec4 uBackgroundColor;
uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;

void main()
{
    vec4 colour = texture(uTexture, vTexCoord) * vColor * uBackgroundColor;
    fragColor = vec4(colour.rgb * colour.a, colour.a);
}
