#version 330 core
// Images with straight alpha drawn with (ONE, ONE_MINUS_SRC_ALPHA) blending: the colour is
// multiplied by its alpha here, so soft edges do not darken or fringe.

in vec4 vColor;
in vec2 vTexCoord;

uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;

void main()
{
    vec4 colour = texture(uTexture, vTexCoord) * vColor;
    fragColor = vec4(colour.rgb * colour.a, colour.a);
}
