#version 330 core
// Shows a depth image as grey levels, linear in distance between the near and far planes.

in vec2 vTexCoord;

uniform float uNear;
uniform float uFar;
uniform sampler2D uDepthTexture;

layout(location = 0) out vec4 fragColor;

void main()
{
    float near = uNear > 0.0 ? uNear : 0.01;
    float far = uFar > near ? uFar : 2000.0;
    float depth = texture(uDepthTexture, vTexCoord).r * 2.0 - 1.0;
    float dist = 2.0 * near * far / (far + near - depth * (far - near));
    float shade = clamp((dist - near) / (far - near), 0.0, 1.0);
    fragColor = vec4(vec3(sqrt(shade)), 1.0);
}
